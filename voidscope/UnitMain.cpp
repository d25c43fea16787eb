#include "UnitMain.h"

#include <QDragEnterEvent>
#include <QHelpEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeySequence>
#include <QMimeData>
#include <QShortcut>
#include <QToolTip>
#include <QUrl>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "cart/file_time.h"
#include "cart/summary_format.h"
#include "info_picture.h"
#include "report.h"
#include "window_icon.h"

TFormMain::TFormMain(TDialogs& dialogs, const QString& firstArgument, QWidget* parent)
    : TFormMain(dialogs, QFile::encodeName(firstArgument), parent) {}

TFormMain::TFormMain(TDialogs& dialogs, const QByteArray& firstArgument, QWidget* parent)
    : QMainWindow(parent), Dialogs(dialogs) {
  setWindowTitle("NES Voidscope v1.0");
  setWindowIcon(WindowIcon());
  setFont(WindowFont());

  PaintBoxInfo = new TPaintBox(this);
  PaintBoxInfo->setObjectName("PaintBoxInfo");
  setCentralWidget(PaintBoxInfo);

  MainMenu = menuBar();
  MOpen = MainMenu->addAction("&Open");
  MReload = MainMenu->addAction("&Reload");
  MWatch = MainMenu->addAction("&Watch");
  MSaveReport = MainMenu->addAction("&Save report");
  // After the four commands: what the linker's debug file adds.
  MView = MainMenu->addMenu("&View");
  MSegments = MView->addAction("&Segments");
  MSegments->setCheckable(true);  // off at every start
  MView->addSeparator();
  MOpenDbg = MView->addAction("Open &debug file...");
  StatusBarDbg = new QStatusBar(this);
  setStatusBar(StatusBarDbg);
  StatusBarDbg->hide();
  // The platform's usual keys besides the access keys.
  MOpen->setShortcut(QKeySequence::Open);
  MReload->setShortcut(QKeySequence::Refresh);
  MWatch->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_W);
  MSaveReport->setShortcut(QKeySequence::Save);
  // A menu bar shows no shortcuts beside its captions: a tip names them.
  MainMenu->installEventFilter(this);
  auto* closeKeys = new QShortcut(QKeySequence::Close, this);
  auto* quitKeys = new QShortcut(QKeySequence::Quit, this);

  TimerWatch = new QTimer(this);
  TimerWatch->setInterval(1000);

  // Every handler is wired here.
  connect(PaintBoxInfo, &TPaintBox::Paint, this, &TFormMain::FormPaint);
  connect(MOpen, &QAction::triggered, this, &TFormMain::MOpenClick);
  connect(MReload, &QAction::triggered, this, &TFormMain::MReloadClick);
  connect(MWatch, &QAction::triggered, this, &TFormMain::MWatchClick);
  connect(MSaveReport, &QAction::triggered, this, &TFormMain::MSaveReportClick);
  connect(TimerWatch, &QTimer::timeout, this, &TFormMain::TimerWatchTimer);
  connect(MSegments, &QAction::triggered, this, &TFormMain::MSegmentsClick);
  connect(MOpenDbg, &QAction::triggered, this, &TFormMain::MOpenDbgClick);
  connect(PaintBoxInfo, &TPaintBox::MouseMove, this, &TFormMain::PaintBoxInfoMouseMove);
  connect(PaintBoxInfo, &TPaintBox::MouseLeave, this, &TFormMain::PaintBoxInfoMouseLeave);
  connect(closeKeys, &QShortcut::activated, this, &QWidget::close);
  connect(quitKeys, &QShortcut::activated, this, &QWidget::close);
  PaintBoxInfo->setMouseTracking(true);

  // Client area 649 x 505 below the menu bar, at the screen's top left.
  resize(649, 505 + MainMenu->sizeHint().height());
  move(0, 0);

  FormCreate(firstArgument);
}

TFormMain::~TFormMain() { FormDestroy(); }

void TFormMain::FormCreate(const QByteArray& firstArgument) {
  NES.Release();
  if (!firstArgument.isEmpty()) TakeFile(firstArgument);  // the first paint draws it
  setAcceptDrops(true);
}

void TFormMain::FormDestroy() { NES.Release(); }

bool TFormMain::Load() {
  const bool loaded = NES.LoadNES(OpenDialogNESFileName.toStdString());
  // A new image takes its debug file afresh; a failed load that keeps the
  // earlier image keeps its segments too.
  if (loaded) LoadDbg();
  else if (!NES.Held()) DropDbg();
  // The byte under a resting mouse may now be another, or none.
  if (Hovering) ShowHover();
  return loaded;
}

QString TFormMain::FileName() const { return QFile::decodeName(OpenDialogNESFileName); }

bool TFormMain::TakeFile(const QByteArray& name) {
  OpenDialogNESFileName = name;
  ChosenDbgFileName.clear();
  return Load();
}

bool TFormMain::TakeFile(const QString& name) { return TakeFile(QFile::encodeName(name)); }

void TFormMain::FormPaint(QPainter& canvas) {
  DrawInfo(canvas, PaintBoxInfo->width(), PaintBoxInfo->height());
}

void TFormMain::MOpenClick() {
  QString name = FileName();
  if (!Dialogs.ExecuteOpenNES(this, name)) return;
  TakeFile(name);
  PaintBoxInfo->repaint();
}

void TFormMain::MReloadClick() {
  Load();
  PaintBoxInfo->repaint();
}

void TFormMain::MWatchClick() {
  // Only the stored caption carries the access key.
  if (TimerWatch->isActive()) {
    MWatch->setText("Watch");
    TimerWatch->stop();
  } else {
    MWatch->setText("Unwatch");
    TimerWatch->start();
  }
}

void TFormMain::TimerWatchTimer() {
  std::uint64_t time = 0;
  if (!QueryNESFileTime(OpenDialogNESFileName.toStdString(), time)) return;
  // Any difference counts: an older copy put back is a change too.
  if (time == NES.NESFileTime()) return;
  Load();
  PaintBoxInfo->repaint();
}

void TFormMain::MSaveReportClick() {
  QString name;
  if (!Dialogs.ExecuteSaveReport(this, name)) return;
  const int W = PaintBoxInfo->width();
  const int H = PaintBoxInfo->height();
  PaintBoxInfo->repaint();
  QString error;
  if (!WriteReport(RenderInfo(W, H), name, error)) Dialogs.ShowError(this, error);
}

void TFormMain::MSegmentsClick() {
  PaintBoxInfo->repaint();
  // The legend moves the maps: the byte under a resting mouse is another.
  if (Hovering) ShowHover();
}

void TFormMain::MOpenDbgClick() {
  QString name = QFile::decodeName(ChosenDbgFileName);
  if (!Dialogs.ExecuteOpenDbg(this, name)) return;
  ChosenDbgFileName = QFile::encodeName(name);
  if (!NES.Held()) {
    ShowDbgMessage("Open an NES file first: the debug file is read with it");
    return;
  }
  if (!LoadDbg()) Dialogs.ShowError(this, StatusBarDbg->currentMessage());
  PaintBoxInfo->repaint();
  if (Hovering) ShowHover();
}

void TFormMain::DropDbg() {
  Dbg = {};
  Segments = {};
  DbgHeld = false;
}

// The debug file chosen from the menu, or else the image's own beside it
// (game.dbg for game.nes), which may well not exist: then there is nothing
// to say. Any other failure is told in the status line; the maps stay.
bool TFormMain::LoadDbg() {
  DropDbg();
  std::filesystem::path path(OpenDialogNESFileName.toStdString());
  const bool chosen = !ChosenDbgFileName.isEmpty();
  if (chosen) path = ChosenDbgFileName.toStdString();
  else path.replace_extension(".dbg");
  std::error_code ec;
  if (!chosen && !std::filesystem::exists(path, ec)) {
    ShowDbgMessage({});
    return true;
  }
  std::string error;
  TDebugInfo info;
  TSegmentMap map;
  if (!LoadDebugInfo(path.string(), info, error)) {
    ShowDbgMessage("Debug file not used: " + QString::fromStdString(error));
    return false;
  }
  if (!PlaceSegments(info, OpenDialogNESFileName.toStdString(), NES.PRGCount(), NES.CHRCount(), map,
                     error)) {
    ShowDbgMessage(QString("Debug file \"%1\" not used: %2")
                       .arg(QFile::decodeName(QByteArray::fromStdString(path.string())),
                            QString::fromStdString(error)));
    return false;
  }
  Dbg = std::move(info);
  Segments = std::move(map);
  DbgHeld = true;
  ShowDbgMessage({});
  return true;
}

// The status line shows only while there is something to say, and the
// window grows by its height meanwhile, so the drawing area keeps its size.
void TFormMain::ShowDbgMessage(const QString& message) {
  const bool shown = !StatusBarDbg->isHidden();
  if (message.isEmpty()) {
    if (!shown) return;
    const int height = StatusBarDbg->height();
    StatusBarDbg->clearMessage();
    StatusBarDbg->hide();
    resize(width(), this->height() - height);
    return;
  }
  StatusBarDbg->showMessage(message);
  StatusBarDbg->setToolTip(message);
  if (shown) return;
  StatusBarDbg->show();
  resize(width(), height() + StatusBarDbg->sizeHint().height());
}

TViewOptions TFormMain::ViewOptions() const {
  TViewOptions options;
  if (DbgHeld && MSegments->isChecked()) options.segments = &Segments;
  return options;
}

void TFormMain::WMDropFiles(const QStringList& names) {
  if (names.isEmpty()) return;
  // The whole name, however long: a cut name would load some other file.
  TakeFile(names.first());
  PaintBoxInfo->repaint();
}

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent* event) {
  QStringList names;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) names << url.toLocalFile();
  WMDropFiles(names);
  event->acceptProposedAction();
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched != MainMenu || event->type() != QEvent::ToolTip) return QMainWindow::eventFilter(watched, event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QAction* command = MainMenu->actionAt(help->pos());
  if (command && !command->shortcut().isEmpty())
    QToolTip::showText(help->globalPos(),
                       QString(command->text()).remove('&') + "  " +
                           command->shortcut().toString(QKeySequence::NativeText),
                       MainMenu);
  else
    QToolTip::hideText();
  return true;
}

void TFormMain::PaintBoxInfoMouseMove(const QPoint& pos) {
  Hovering = true;
  HoverPos = pos;
  ShowHover();
}

void TFormMain::PaintBoxInfoMouseLeave() {
  Hovering = false;
  HoverTextShown.clear();
  QToolTip::hideText();
}

void TFormMain::ShowHover() {
  HoverTextShown = ByteUnder(HoverPos);
  if (HoverTextShown.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(PaintBoxInfo->mapToGlobal(HoverPos), HoverTextShown, PaintBoxInfo);
}

QString TFormMain::ByteUnder(const QPoint& pos) const {
  if (!NES.Held()) return {};
  const std::optional<TBankCell> cell =
      BankCellAt(ViewBoxes(NES, PaintBoxInfo->width(), ViewOptions()), pos);
  if (!cell) return {};
  std::string text =
      ByteInfoText(DescribeByte(NES, cell->kind, cell->bank, cell->offset, NES.FindEmptyByte()));
  if (DbgHeld)
    text += "\n" + ByteOriginText(DescribeOrigin(
                       Dbg, Segments, NES.BankOffset(cell->kind, cell->bank) + cell->offset));
  return QString::fromStdString(text);
}

QImage TFormMain::RenderInfo(int W, int H) const {
  return InfoPicture(NES, FileName(), W, H, ViewOptions());
}

void TFormMain::DrawInfo(QPainter& canvas, int W, int H) const { canvas.drawImage(0, 0, RenderInfo(W, H)); }
