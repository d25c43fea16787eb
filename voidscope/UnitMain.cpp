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
#include <span>
#include <tuple>

#include "cart/mapper_banks.h"
#include "cart/nes_header.h"
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
  // What emulators' play logs add.
  MView->addSeparator();
  MPlayLog = MView->addAction("&Play log");
  MPlayLog->setCheckable(true);  // off at every start
  MAddCdl = MView->addAction("&Add play log...");
  // What label files of assemblers and emulators add.
  MView->addSeparator();
  MOpenLabels = MView->addAction("Open &label file...");
  // How the banks are cut: 16 KB and 8 KB at every start, nothing saved.
  MView->addSeparator();
  MBankSize = MView->addMenu("&Bank size");
  MMapperSizes = MBankSize->addAction("&Mapper's sizes");
  PRGSizes = new QActionGroup(this);
  CHRSizes = new QActionGroup(this);
  for (const auto& [group, sizes, kind] : {std::tuple{PRGSizes, std::span<const std::uint64_t>(PRGBankSizes), "PRG"},
                                           std::tuple{CHRSizes, std::span<const std::uint64_t>(CHRBankSizes), "CHR"}}) {
    MBankSize->addSeparator();
    for (const std::uint64_t size : sizes) {
      QAction* command = MBankSize->addAction(QString("%1 %2 KB").arg(kind).arg(size / 1024));
      command->setCheckable(true);
      command->setData(QVariant::fromValue<qulonglong>(size));
      command->setChecked(size == (group == PRGSizes ? PRGBankSize : CHRBankSize));
      group->addAction(command);
    }
  }
  StatusBarNotes = new QStatusBar(this);
  setStatusBar(StatusBarNotes);
  StatusBarNotes->hide();
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
  connect(MPlayLog, &QAction::triggered, this, &TFormMain::MPlayLogClick);
  connect(MAddCdl, &QAction::triggered, this, &TFormMain::MAddCdlClick);
  connect(MOpenLabels, &QAction::triggered, this, &TFormMain::MOpenLabelsClick);
  connect(MMapperSizes, &QAction::triggered, this, &TFormMain::MMapperSizesClick);
  connect(PRGSizes, &QActionGroup::triggered, this, &TFormMain::MBankSizeClick);
  connect(CHRSizes, &QActionGroup::triggered, this, &TFormMain::MBankSizeClick);
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
  Session.Release();
  if (!firstArgument.isEmpty()) TakeFile(firstArgument);  // the first paint draws it
  setAcceptDrops(true);
}

void TFormMain::FormDestroy() { Session.Release(); }

bool TFormMain::Load() { return Loaded(Session.Reload()); }

// What a load changes in the window besides the drawing.
bool TFormMain::Loaded(bool loaded) {
  ShowNotes();
  // The byte under a resting mouse may now be another, or none.
  if (Hovering) ShowHover();
  return loaded;
}

QString TFormMain::FileName() const { return QFile::decodeName(QByteArray::fromStdString(Session.FileName())); }

bool TFormMain::TakeFile(const QByteArray& name) { return Loaded(Session.Open(name.toStdString())); }

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
  if (!Session.Changed()) return;
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
  Session.ShowSegments(MSegments->isChecked());
  PaintBoxInfo->repaint();
  // The legend moves the maps: the byte under a resting mouse is another.
  if (Hovering) ShowHover();
}

void TFormMain::MOpenDbgClick() {
  QString name = QFile::decodeName(QByteArray::fromStdString(Session.ChosenDbgFileName()));
  if (!Dialogs.ExecuteOpenDbg(this, name)) return;
  std::string error;
  const TSession::TDbgResult result = Session.ChooseDbg(QFile::encodeName(name).toStdString(), error);
  ShowNotes();
  if (result == TSession::TDbgResult::NoImage) return;
  if (result != TSession::TDbgResult::Used) Dialogs.ShowError(this, QString::fromStdString(Session.DbgNote()));
  PaintBoxInfo->repaint();
  if (Hovering) ShowHover();
}

void TFormMain::MPlayLogClick() {
  Session.ShowPlay(MPlayLog->isChecked());
  PaintBoxInfo->repaint();
  // The legend moves the maps: the byte under a resting mouse is another.
  if (Hovering) ShowHover();
}

void TFormMain::MBankSizeClick() {
  Session.SetBankSizes({PRGSizes->checkedAction()->data().toULongLong(),
                        CHRSizes->checkedAction()->data().toULongLong()});
  PaintBoxInfo->repaint();
  // The boxes move: the byte under a resting mouse is another.
  if (Hovering) ShowHover();
}

void TFormMain::MMapperSizesClick() {
  // The mapper the header names (NES 2.0's 12 bits); 16 KB and 8 KB for
  // one not in the table, and with no image.
  const TBankSizes sizes =
      ChooseBankSizes({true, 0, 0}, Session.Held() ? ReadNESHeader(Session.Image()).mapper : ~0u);
  for (QActionGroup* group : {PRGSizes, CHRSizes})
    for (QAction* command : group->actions())
      if (command->data().toULongLong() == (group == PRGSizes ? sizes.prg : sizes.chr)) command->setChecked(true);
  MBankSizeClick();
}

QAction* TFormMain::BankSizeCommand(TBankKind kind, std::uint64_t size) const {
  for (QAction* command : (kind == TBankKind::PRG ? PRGSizes : CHRSizes)->actions())
    if (command->data().toULongLong() == size) return command;
  return nullptr;
}

void TFormMain::MAddCdlClick() {
  const std::vector<std::string>& chosen = Session.ChosenCdlFileNames();
  QString name = chosen.empty() ? QString() : QFile::decodeName(QByteArray::fromStdString(chosen.back()));
  if (!Dialogs.ExecuteOpenCdl(this, name)) return;
  const bool held = Session.Held();
  std::string message;
  const TAddOutcome outcome = Session.AddPlayLog(QFile::encodeName(name).toStdString(), message);
  ShowNotes();
  if (!held) return;
  if (outcome == TAddOutcome::Refused) Dialogs.ShowError(this, QString::fromLocal8Bit(message));
  PaintBoxInfo->repaint();
  if (Hovering) ShowHover();
}

// One that cannot be used is told in the status line only: the maps stay.
void TFormMain::MOpenLabelsClick() {
  const std::vector<std::string>& chosen = Session.ChosenLabelFileNames();
  QString name = chosen.empty() ? QString() : QFile::decodeName(QByteArray::fromStdString(chosen.back()));
  if (!Dialogs.ExecuteOpenLabels(this, name)) return;
  std::string message;
  Session.AddLabelFile(QFile::encodeName(name).toStdString(), message);
  ShowNotes();
  if (Hovering) ShowHover();
}

// The status line shows only while there is something to say, and the
// window grows by its height meanwhile, so the drawing area keeps its size.
void TFormMain::ShowNotes() {
  const QString message = QString::fromStdString(Session.Note());
  const bool shown = !StatusBarNotes->isHidden();
  if (message.isEmpty()) {
    if (!shown) return;
    const int height = StatusBarNotes->height();
    StatusBarNotes->clearMessage();
    StatusBarNotes->hide();
    resize(width(), this->height() - height);
    return;
  }
  StatusBarNotes->showMessage(message);
  StatusBarNotes->setToolTip(message);
  if (shown) return;
  StatusBarNotes->show();
  resize(width(), height() + StatusBarNotes->sizeHint().height());
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
  if (!Session.Held()) return {};
  const std::optional<TBankCell> cell =
      BankCellAt(ViewBoxes(Session.Image(), PaintBoxInfo->width(), Session.ViewOptions()), pos);
  if (!cell) return {};
  return QString::fromStdString(Session.ByteText(cell->kind, cell->bank, cell->offset));
}

QImage TFormMain::RenderInfo(int W, int H) const {
  return InfoPicture(Session.Image(), FileName(), W, H, Session.ViewOptions());
}

void TFormMain::DrawInfo(QPainter& canvas, int W, int H) const { canvas.drawImage(0, 0, RenderInfo(W, H)); }
