// FormMain: the one window of voidscope. It holds the current file name and
// the watch; the image and its analysis belong to TNESImage.
#pragma once

#include <QAction>
#include <QByteArray>
#include <QByteArrayList>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStringList>
#include <QTimer>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "cart/debug_info.h"
#include "cart/image_labels.h"
#include "cart/nes_image.h"
#include "cart/play_log.h"
#include "cart/segment_map.h"
#include "cart/summary.h"
#include "cart/summary_format.h"
#include "dialogs.h"
#include "info_picture.h"
#include "paint_box.h"

class TFormMain : public QMainWindow {
  Q_OBJECT
 public:
  // firstArgument: the first command-line argument (loaded when not empty),
  // as the bytes it came in.
  TFormMain(TDialogs& dialogs, const QByteArray& firstArgument, QWidget* parent = nullptr);
  explicit TFormMain(TDialogs& dialogs, const QString& firstArgument = {},
                     QWidget* parent = nullptr);
  ~TFormMain() override;

  // Draws the whole drawing area of W x H pixels onto `canvas`.
  void DrawInfo(QPainter& canvas, int W, int H) const;
  // What DrawInfo shows at W x H, as a picture (the report's content).
  QImage RenderInfo(int W, int H) const;

  const TNESImage& Image() const { return NES; }
  // OpenDialogNES's file name: the current file of the whole program, as
  // shown (a byte that is not text shows as a replacement character).
  QString FileName() const;
  // Makes `name` the current file and loads it, without drawing.
  bool TakeFile(const QByteArray& name);
  bool TakeFile(const QString& name);
  // The readout of the byte under the mouse; empty outside the maps.
  const QString& HoverText() const { return HoverTextShown; }

  // The window's parts, for tests.
  TPaintBox* PaintBox() const { return PaintBoxInfo; }
  QMenuBar* Menu() const { return MainMenu; }
  QAction* OpenCommand() const { return MOpen; }
  QAction* ReloadCommand() const { return MReload; }
  QAction* WatchCommand() const { return MWatch; }
  QAction* SaveReportCommand() const { return MSaveReport; }
  QTimer* WatchTimer() const { return TimerWatch; }
  QAction* SegmentsCommand() const { return MSegments; }
  QAction* OpenDbgCommand() const { return MOpenDbg; }
  QStatusBar* StatusLine() const { return StatusBarDbg; }
  // A debug file is read and its segments placed in the held image.
  bool DbgLoaded() const { return DbgHeld; }
  QAction* PlayLogCommand() const { return MPlayLog; }
  QAction* AddCdlCommand() const { return MAddCdl; }
  // The play logs merged for the held image (none: Empty()).
  const TPlayLog& PlayLog() const { return Play; }
  QAction* OpenLabelsCommand() const { return MOpenLabels; }
  // The label files read with the held image (none: Empty()).
  const TImageLabels& Labels() const { return LabelFiles; }

 public slots:
  void FormPaint(QPainter& canvas);
  void MOpenClick();
  void MReloadClick();
  void MWatchClick();
  void MSaveReportClick();
  void MSegmentsClick();
  void MOpenDbgClick();
  void MPlayLogClick();
  void MAddCdlClick();
  void MOpenLabelsClick();
  void TimerWatchTimer();
  void WMDropFiles(const QStringList& names);
  void PaintBoxInfoMouseMove(const QPoint& pos);
  void PaintBoxInfoMouseLeave();

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate(const QByteArray& firstArgument);
  void FormDestroy();
  bool Load();
  bool LoadDbg();
  void DropDbg();
  void ShowDbgMessage(const QString& message);
  TAddOutcome LoadPlay(std::string& message);
  void DropPlay();
  bool PlayLogsChanged() const;
  void ShowPlayMessage(const QString& message);
  void ShowNotes();
  bool LoadLabels();
  TViewOptions ViewOptions() const;
  QString ByteUnder(const QPoint& pos) const;
  void ShowHover();

  TPaintBox* PaintBoxInfo;
  QMenuBar* MainMenu;
  QAction* MOpen;
  QAction* MReload;
  QAction* MWatch;
  QAction* MSaveReport;
  QTimer* TimerWatch;
  QMenu* MView;
  QAction* MSegments;
  QAction* MOpenDbg;
  QAction* MPlayLog;
  QAction* MAddCdl;
  QAction* MOpenLabels;
  QStatusBar* StatusBarDbg;  // shown only to say why a debug file, a log or a label file is not used

  TDialogs& Dialogs;
  TNESImage NES;
  QByteArray OpenDialogNESFileName;  // the path's own bytes
  bool Hovering = false;             // the mouse is over the drawing area
  QPoint HoverPos;
  QString HoverTextShown;
  // The linker's debug file of the held image, when one is read.
  QByteArray ChosenDbgFileName;  // from the menu; empty: the image's own
  TDebugInfo Dbg;
  TSegmentMap Segments;
  bool DbgHeld = false;
  // The emulators' play logs of the held image: its own (game.cdl beside
  // game.nes) and those added from the menu, merged.
  QByteArrayList ChosenCdlFileNames;
  TPlayLog Play;
  // Each log file as last read and its write time then (0: absent), for
  // the watch; the image's own log is watched even while absent.
  std::vector<std::pair<std::string, std::uint64_t>> PlayLogTimes;
  // Label files: those beside the image (game.mlb, game.nes.N.nl) and
  // those opened from the menu, read and watched with it.
  std::vector<std::string> ChosenLabelFileNames;
  TImageLabels LabelFiles;
  QString LabelNote;
  QString DbgNote;
  QString PlayNote;
};

