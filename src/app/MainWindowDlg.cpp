#include "app/MainWindowDlg.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>
#include <iostream>

#include "app/AboutDlg.h"
#include "app/FirstRunDlg.h"
#include "app/ModuleBar.h"
#include "app/ModuleTable.h"
#include "app/NotBuiltPage.h"
#include "app/Version.h"
#include "settings/Settings.h"
#include "ui/ChildDialog.h"
#include "ui/Desktop.h"
#include "ui/Icons.h"
#include "ui/MyMessageBoxDlg.h"
#ifdef QV_HAVE_FINDREPLACE_PAGES
#include "findreplace/FindAndReplaceDlg.h"
#endif

namespace {
constexpr const char* kHomePage = "https://quorvel.ambrel.example/";

const char* const kStarDotStarText =
    "<b>How should Quorvel interpret *.*?</b>\n\n<C 0,0,128>If you would like *.* to behave like in DOS, press "
    "YES.</C>\nThe DOS behaviour for *.* is to show ALL files and folders whether there is a . (a dot) in the "
    "filename <b>or not</b>.\n\n<C 0,0,128>If you would like *.* to behave like it should, press NO.</C>\nIn "
    "this case *.* will only show you files that start with some letters, followed by a . (a dot) and then "
    "followed by some other letters.\n\n<C 0,128,0><b>Note: </b>No matter which option you choose, * will "
    "always give you ALL files, unless you have enabled regular expression file-filters, then you should use "
    ".*</C>\n\nThis setting can always be changed by enabling/disabling the \"Use DOS *.* behaviour\" option "
    "in the Quorvel Options.\n\nFor more information and an example regarding this behaviour, click the "
    "Help-button below.";

QString ModuleName(int index) { return QString::fromLatin1(kModules[static_cast<size_t>(index)].name); }

void NotBuiltYet(QWidget* parent, const QString& what) {
  qv::ui::ShowMessage(parent, what + QStringLiteral(" is not built yet in this version of Quorvel."),
                      qv::ui::MessageIcon::Information);
}
}  // namespace

CMainWindowDlg::CMainWindowDlg(CSettings& settings, StartInputs start, QWidget* parent)
    : QMainWindow(parent), settings_(settings), start_(std::move(start)), bar_(new CModuleBar(this)),
      header_(new QLabel(this)), stack_(new QStackedWidget(this)), statusLabel_(new QLabel(QString::fromLatin1(kReady), this)) {
  statusTimer_.setSingleShot(true);
  statusTimer_.setInterval(3000);
  connect(&statusTimer_, &QTimer::timeout, this, [this] { statusLabel_->setText(QString::fromLatin1(kReady)); });
}

CMainWindowDlg::~CMainWindowDlg() {
  statusTimer_.stop();
  settings_.SetStatusSink({});
}

bool CMainWindowDlg::Initialise() {
  if (start_.IsQuickMode()) {
    NotBuiltYet(this, start_.module == kQuickFileTouch ? QStringLiteral("The quick file touch (File Toucher module)")
                                                       : QStringLiteral("The quick file list print (File List Printer module)"));
    return false;
  }
  notInitialised_ = false;
  setWindowIcon(qv::ui::ResourceIcon(128));
  setWindowTitle(QStringLiteral("Ambrel Quorvel %1").arg(QString::fromStdString(QuorvelVersion())));
  BuildMenus();
  BuildShortcuts();

  // Header strip over the page: the current module's name.
  QFont headerFont = header_->font();
  headerFont.setBold(true);
  headerFont.setPixelSize(18);
  header_->setFont(headerFont);
  header_->setAutoFillBackground(true);
  header_->setBackgroundRole(QPalette::Button);
  header_->setContentsMargins(10, 4, 10, 4);
  header_->setTextFormat(Qt::PlainText);

  auto* right = new QVBoxLayout;
  right->setContentsMargins(0, 0, 0, 0);
  right->setSpacing(0);
  right->addWidget(header_);
  right->addWidget(stack_, 1);
  auto* central = new QWidget(this);
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->addWidget(bar_);
  auto* line = new QFrame(central);
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  row->addWidget(line);
  row->addLayout(right, 1);
  setCentralWidget(central);
  connect(bar_, &CModuleBar::moduleClicked, this, &CMainWindowDlg::SelectModule);

  statusBar()->addWidget(statusLabel_, 1);
  settings_.SetStatusSink([this](const std::string& text) { ShowStatus(QString::fromStdString(text)); });

  toolTipsChanged_ = settings_.ShowOutlookBarToolTipsChanged.connect([this](int on) { bar_->SetToolTipsEnabled(on != 0); });
  compactChanged_ = settings_.ShowSmallOutlookBarIconsChanged.connect([this](int on) { bar_->SetCompact(on != 0); });
  settings_.Load();
  if (!settings_.LoadProblem().empty()) ShowStatus(QString::fromStdString(settings_.LoadProblem()));
  bar_->SetToolTipsEnabled(settings_.ShowOutlookBarToolTips() != 0);
  bar_->SetCompact(settings_.ShowSmallOutlookBarIcons() != 0);

  setMinimumSize(555, 460);
  resize(860, 640);
  SelectModule(start_.module);
  RestorePlacement();
  return true;
}

void CMainWindowDlg::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  QAction* exit = file->addAction(QIcon::fromTheme(QStringLiteral("application-exit")), QStringLiteral("E&xit"));
  exit->setStatusTip(QStringLiteral("Close Quorvel"));
  exit->setShortcut(QKeySequence::Quit);
  connect(exit, &QAction::triggered, this, &QWidget::close);

  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
  auto* group = new QActionGroup(this);
  group->setExclusive(true);
  for (int i = 0; i < kModuleCount; ++i) {
    const ModuleInfo& m = kModules[static_cast<size_t>(i)];
    QAction* a = tools->addAction(qv::ui::ResourceIcon(m.icon), QString::fromLatin1(m.menuText));
    a->setShortcut(QKeySequence(QStringLiteral("Ctrl+%1").arg(i + 1)));
    a->setShortcutContext(Qt::WindowShortcut);
    a->setCheckable(true);
    a->setStatusTip(QString::fromLatin1(m.statusTip));
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, i] { SelectModule(i); });
    moduleActions_[static_cast<size_t>(i)] = a;
  }
  tools->addSeparator();
  QAction* options = tools->addAction(QIcon::fromTheme(QStringLiteral("preferences-system")), QStringLiteral("&Options..."));
  options->setStatusTip(QStringLiteral("Change the options of Quorvel"));
  connect(options, &QAction::triggered, this, [this] { NotBuiltYet(this, QStringLiteral("The options dialog")); });

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  auto addHelp = [&](const QString& text, const QString& tip, auto&& fn, const char* icon = nullptr) {
    QAction* a = icon ? help->addAction(QIcon::fromTheme(QLatin1String(icon)), text) : help->addAction(text);
    a->setStatusTip(tip);
    connect(a, &QAction::triggered, this, fn);
    return a;
  };
  // F1 itself opens the current module's page (see BuildShortcuts); the item opens the contents.
  addHelp(QStringLiteral("&Contents...\tF1"), QStringLiteral("Show the contents of the help"),
          [this] { qv::ui::OpenHelpTopic(QStringLiteral("index.htm"), this); }, "help-contents");
  addHelp(QStringLiteral("&Index..."), QStringLiteral("Show the index of the help"),
          [this] { qv::ui::OpenHelpTopic(QStringLiteral("index.htm"), this); });
  addHelp(QStringLiteral("&Search..."), QStringLiteral("Search the help (in your web browser)"),
          [this] { qv::ui::OpenHelpTopic(QStringLiteral("index.htm"), this); });
  help->addSeparator();
  addHelp(QStringLiteral("&Quorvel Home Page..."), QStringLiteral("Open the Quorvel home page in your web browser"),
          [] { qv::ui::OpenUrl(QUrl(QString::fromLatin1(kHomePage))); }, "go-home");
  addHelp(QStringLiteral("Send Us Feedback..."), QStringLiteral("Send your comments to the makers of Quorvel"),
          [this] { NotBuiltYet(this, QStringLiteral("Sending feedback")); }, "mail-send");
  addHelp(QStringLiteral("&Bug Report..."), QStringLiteral("Report a problem with Quorvel"),
          [this] { NotBuiltYet(this, QStringLiteral("Sending a bug report")); });
  help->addSeparator();
  addHelp(QStringLiteral("&About..."), QStringLiteral("Show the version, license and contact of Quorvel"),
          [this] {
            CAboutDlg about(this);
            qv::ui::RunModal(about);
          }, "help-about");
}

void CMainWindowDlg::BuildShortcuts() {
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, this, &CMainWindowDlg::OpenModuleHelp);
  auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
  connect(f5, &QShortcut::activated, this, [this] {
    if (auto* page = Page(current_)) page->OnModuleCommand(kCommandRefresh);
  });
  auto* selectAll = new QShortcut(QKeySequence(QStringLiteral("Ctrl+A")), this);
  connect(selectAll, &QShortcut::activated, this, [this] {
    if (auto* page = Page(current_)) page->OnModuleCommand(kCommandSelectAll);
  });
}

CChildDialog* CMainWindowDlg::Page(int index) const {
  return index >= 0 && index < kModuleCount ? pages_[static_cast<size_t>(index)] : nullptr;
}

CChildDialog* CMainWindowDlg::EnsurePage(int index) {
  auto& page = pages_[static_cast<size_t>(index)];
  if (page) return page;
#ifdef QV_HAVE_FINDREPLACE_PAGES
  if (index == 0 || index == 1)
    page = new CFindAndReplaceDlg(index == 0 ? CFindAndReplaceDlg::Mode::Find : CFindAndReplaceDlg::Mode::Replace,
                                  settings_, stack_);
#endif
  if (!page) page = new CNotBuiltPage(kModules[static_cast<size_t>(index)], settings_, stack_);
  stack_->addWidget(page);
  connect(page, &CChildDialog::helpRequested, this, &CMainWindowDlg::OpenModuleHelp);
  page->LoadFromSettings();
  if (!start_.folder.empty()) page->SetFolder(start_.folder);
  if (!start_.filter.empty()) page->SetFilter(start_.filter);
  return page;
}

void CMainWindowDlg::SelectModule(int index) {
  if (index < 0 || index >= kModuleCount) return;
  CChildDialog* page = EnsurePage(index);
  current_ = index;
  stack_->setCurrentWidget(page);
  page->RecalcLayout();
  page->SetInitialFocus();
  header_->setText(ModuleName(index));
  bar_->SetCurrent(index);
  moduleActions_[static_cast<size_t>(index)]->setChecked(true);
}

QString CMainWindowDlg::HeaderText() const { return header_->text(); }
QString CMainWindowDlg::StatusText() const { return statusLabel_->text(); }

void CMainWindowDlg::ShowStatus(const QString& text) {
  statusLabel_->setText(text);
  statusTimer_.start();
}

void CMainWindowDlg::OpenModuleHelp() {
  if (current_ < 0) qv::ui::OpenHelpTopic(QStringLiteral("index.htm"), this);
  else qv::ui::OpenHelpTopic(QString::fromLatin1(kModules[static_cast<size_t>(current_)].helpTopic), this);
}

void CMainWindowDlg::RestorePlacement() {
  const Bytes saved = settings_.ReadWindowPlacement("MainWnd");
  if (saved.empty()) return;
  const QByteArray before = saveGeometry();
  if (!restoreGeometry(QByteArray(reinterpret_cast<const char*>(saved.data()), static_cast<qsizetype>(saved.size()))))
    return;
  // A placement that lies off every screen (a monitor that is gone) is not used.
  QScreen* screen = QGuiApplication::screenAt(normalGeometry().center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect work = screen ? screen->availableGeometry().adjusted(5, 5, -5, -5) : QRect();
  if (screen && !work.intersects(normalGeometry())) restoreGeometry(before);
}

void CMainWindowDlg::ShowFirstRunIfDue() {
  const std::string version = QuorvelVersion();
  const QString stored = QString::fromStdString(settings_.ReadShownFirstRunForVersion());
  if (stored.compare(QString::fromStdString(version), Qt::CaseInsensitive) == 0) return;
  if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
  show();
  CFirstRunDlg welcome(version, this);
  qv::ui::RunModal(welcome);
  settings_.WriteShownFirstRunForVersion(version);
  AskStarDotStar();
}

void CMainWindowDlg::AskStarDotStar() {
  CMyMessageBoxDlg box(this);
  box.SetCaption(QStringLiteral("Quorvel"));
  box.SetHeading(QStringLiteral("File Filter *.* Behaviour"));
  box.SetSubHeading(QStringLiteral("Specify how Quorvel should interpret *.* as a file filter."));
  box.SetIcon(218);
  box.SetButtons(CMyMessageBoxDlg::kYesNo);
  box.SetShowCheckBox(false);
  box.SetHelpTopic(QStringLiteral("DOS_star_dot_star_behaviour.htm"));
  box.SetText(kStarDotStarText);
  settings_.SetUseDOSStarDotStarBehaviour(box.DoModal() == IDYES ? 1 : 0);
}

void CMainWindowDlg::closeEvent(QCloseEvent* event) {
  for (CChildDialog* page : pages_) {
    if (page && !page->CanClose()) {
      event->ignore();
      return;
    }
  }
  if (!notInitialised_) {
    for (CChildDialog* page : pages_)
      if (page) page->SaveToSettings();
    statusTimer_.stop();
    std::string error;
    if (!settings_.Save(&error)) std::cerr << "quorvel: the settings could not be saved: " << error << "\n";
    const QByteArray geometry = saveGeometry();
    settings_.WriteWindowPlacement("MainWnd", Bytes(geometry.begin(), geometry.end()));
  }
  event->accept();
}
