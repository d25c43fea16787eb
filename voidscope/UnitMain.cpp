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

#include "cart/file_time.h"
#include "cart/summary_format.h"
#include "report.h"
#include "window_icon.h"

namespace {

// Layout of the drawing area.
constexpr int BoxWidth = 66;      // 64 cells and the frame
constexpr int BoxPitch = 74;      // from one box to the next
constexpr int LabelGap = 20;      // label to box
constexpr int PRGRowStep = 296;   // 20 + 258 + 18
constexpr int CHRRowStep = 168;   // 20 + 130 + 18

// The platform's rectangle rule: the outline on x1, x2 - 1, y1 and y2 - 1,
// the inside in the brush colour.
void Rectangle(QPainter& canvas, int x1, int y1, int x2, int y2) {
  canvas.fillRect(x1, y1, x2 - x1, y2 - y1, Qt::black);
  if (x2 - x1 > 2 && y2 - y1 > 2) canvas.fillRect(x1 + 1, y1 + 1, x2 - x1 - 2, y2 - y1 - 2, Qt::white);
}

QImage BankPicture(int rows) {
  QImage picture(MapColumns, rows, QImage::Format_Indexed8);
  picture.setColorTable(BankPalette());
  picture.fill(CellFree);
  return picture;
}

}  // namespace

QList<QRgb> BankPalette() {
  QList<QRgb> palette(256, qRgb(0, 0, 0));
  palette[CellFree] = qRgb(252, 252, 252);
  palette[CellUsed] = qRgb(46, 255, 51);
  palette[CellMissing] = qRgb(128, 128, 128);
  return palette;
}

QFont WindowFont() {
  QFont font;
  font.setFamilies({"Tahoma", "Liberation Sans", "DejaVu Sans"});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(13);
  return font;
}

std::vector<TBankBox> BankBoxes(int W, unsigned prgCount, unsigned chrCount) {
  std::vector<TBankBox> boxes;
  boxes.reserve(prgCount + chrCount);
  int x = 10;
  int y = 50;
  int step = PRGRowStep;
  for (unsigned j = 0; j < prgCount; ++j) {
    boxes.push_back({TBankKind::PRG, j, x, y});
    x += BoxPitch;
    if (x + BoxPitch >= W) {
      x = 10;
      y += step;
      if (j == prgCount - 1) step = CHRRowStep;
    }
  }
  for (unsigned j = 0; j < chrCount; ++j) {
    boxes.push_back({TBankKind::CHR, j, x, y});
    x += BoxPitch;
    if (x + BoxPitch >= W) {
      x = 10;
      y += step;
      step = CHRRowStep;
    }
  }
  return boxes;
}

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
  ImagePRG = BankPicture(PRGMapRows);
  ImageCHR = BankPicture(CHRMapRows);

  MainMenu = menuBar();
  MOpen = MainMenu->addAction("&Open");
  MReload = MainMenu->addAction("&Reload");
  MWatch = MainMenu->addAction("&Watch");
  MSaveReport = MainMenu->addAction("&Save report");
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
  // The byte under a resting mouse may now be another, or none.
  if (Hovering) ShowHover();
  return loaded;
}

QString TFormMain::FileName() const { return QFile::decodeName(OpenDialogNESFileName); }

bool TFormMain::TakeFile(const QByteArray& name) {
  OpenDialogNESFileName = name;
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
  for (const TBankBox& box : BankBoxes(PaintBoxInfo->width(), NES.PRGCount(), NES.CHRCount())) {
    const int rows = box.kind == TBankKind::PRG ? PRGMapRows : CHRMapRows;
    // The cells only: the frame around them is not a byte.
    const int column = pos.x() - (box.x + 1);
    const int row = pos.y() - (box.y + LabelGap + 1);
    if (column < 0 || column >= MapColumns || row < 0 || row >= rows) continue;
    const TByteInfo info = DescribeByte(NES, box.kind, box.index,
                                        static_cast<std::uint64_t>(row) * MapColumns + column,
                                        NES.FindEmptyByte());
    return QString::fromStdString(ByteInfoText(info));
  }
  return {};
}

QImage TFormMain::RenderInfo(int W, int H) {
  QImage picture(W, H, QImage::Format_RGB32);
  if (picture.isNull()) return picture;
  QPainter canvas(&picture);
  canvas.setFont(font());
  DrawInfo(canvas, W, H);
  return picture;
}

void TFormMain::TextOut(QPainter& canvas, int x, int y, const QString& text) {
  // Top-left at (x, y), opaque on white, in the window-text colour.
  const QFontMetrics metrics(canvas.font());
  canvas.fillRect(x, y, metrics.horizontalAdvance(text), metrics.height(), Qt::white);
  canvas.setPen(palette().color(QPalette::WindowText));
  canvas.drawText(x, y + metrics.ascent(), text);
}

void TFormMain::DrawInfo(QPainter& canvas, int W, int H) {
  Rectangle(canvas, 0, 0, W, H);
  if (!NES.Held()) {
    TextOut(canvas, 10, 10, "No file loaded");
    return;
  }
  const std::uint8_t EmptyByte = NES.FindEmptyByte();
  TextOut(canvas, 10, 10,
          QString::fromStdString(TitleLine(FileName().toStdString(), NES.Mapper(), NES.PRGCount(),
                                           NES.CHRCount(), EmptyByte)));

  for (const TBankBox& box : BankBoxes(W, NES.PRGCount(), NES.CHRCount())) {
    const bool prg = box.kind == TBankKind::PRG;
    QImage& picture = prg ? ImagePRG : ImageCHR;
    TextOut(canvas, box.x, box.y, QString::fromStdString(BankLabel(box.kind, box.index)));
    if (prg)
      NES.PRGBankMap(box.index, EmptyByte, picture.bits(), picture.bytesPerLine());
    else
      NES.CHRBankMap(box.index, picture.bits(), picture.bytesPerLine());
    Rectangle(canvas, box.x, box.y + LabelGap, box.x + BoxWidth,
              box.y + LabelGap + picture.height() + 2);
    canvas.drawImage(box.x + 1, box.y + LabelGap + 1, picture);
  }
}
