// FormMain: the one window of voidscope on Qt: its widgets, commands,
// dialogs, drawing, tooltip and status line. The image, what is read with
// it, the watch's decision and the views' options belong to its TSession.
#pragma once

#include <QAction>
#include <QActionGroup>
#include <QByteArray>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStringList>
#include <QTimer>

#include "cart/session.h"
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

  const TNESImage& Image() const { return Session.Image(); }
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
  QStatusBar* StatusLine() const { return StatusBarNotes; }
  // A debug file is read and its segments placed in the held image.
  bool DbgLoaded() const { return Session.DbgHeld(); }
  QAction* PlayLogCommand() const { return MPlayLog; }
  QAction* AddCdlCommand() const { return MAddCdl; }
  QMenu* BankSizeMenu() const { return MBankSize; }
  QAction* MapperSizesCommand() const { return MMapperSizes; }
  // View > Bank size's command of one size (nullptr for a size not offered).
  QAction* BankSizeCommand(TBankKind kind, std::uint64_t size) const;
  // The play logs merged for the held image (none: Empty()).
  const TPlayLog& PlayLog() const { return Session.Play(); }
  QAction* OpenLabelsCommand() const { return MOpenLabels; }
  // The label files read with the held image (none: Empty()).
  const TImageLabels& Labels() const { return Session.Labels(); }

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
  void MBankSizeClick();
  void MMapperSizesClick();
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
  bool Loaded(bool loaded);
  void ShowNotes();
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
  QMenu* MBankSize;
  QAction* MMapperSizes;
  QActionGroup* PRGSizes;  // one size checked of each
  QActionGroup* CHRSizes;
  QStatusBar* StatusBarNotes;  // shown only to say why a file is not used

  TDialogs& Dialogs;
  TSession Session;
  bool Hovering = false;  // the mouse is over the drawing area
  QPoint HoverPos;
  QString HoverTextShown;
};

