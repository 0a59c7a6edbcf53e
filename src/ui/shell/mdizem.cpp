#include "ui/shell/mdizem.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "session/data_commands.h"
#include "session/help_topics.h"
#include "session/main_commands.h"
#include "session/outside_files.h"
#include "session/project_commands.h"
#include "ui/shell/frm_help.h"
#include "ui/shell/frm_matrix.h"
#include "ui/shell/frm_option.h"
#include "ui/shell/frm_tip.h"
#include "ui/shell/frm_zem_model.h"
#include "ui/shell/zem_settings.h"

namespace zemtral {
namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

bool isMdiChild(WindowId id) {
    return id != WindowId::Options && id != WindowId::Help;
}

// The local files of a drop that the program can open.
std::vector<std::string> droppedFiles(const QMimeData* mime) {
    std::vector<std::string> files;
    if (mime == nullptr || !mime->hasUrls()) {
        return files;
    }
    for (const QUrl& url : mime->urls()) {
        const std::string path = url.toLocalFile().toStdString();
        if (url.isLocalFile() && outsideFileKind(path) != OutsideFileKind::Unknown) {
            files.push_back(path);
        }
    }
    return files;
}

}  // namespace

MDIZEM::MDIZEM(Session& session, UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("MDIZEM"));
    setWindowTitle(u(kMainWindowTitle));
    setWindowIcon(QIcon(QStringLiteral(":/icons/zemtral.svg")));
    setAcceptDrops(true);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);
    m_mdi = new QMdiArea(central);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(m_mdi, 1);
    // The first-user panel floats over the bottom left of the work area: shown, it pushes no window
    // away and covers neither the menus nor the model window at the top right.
    buildFirstUserPanel();
    m_firstUserPanel->setParent(m_mdi);
    m_mdi->installEventFilter(this);

    // Start-up: the session's values, the menus and the tool bar, then the model window and the tips.
    initStartUp(m_session, m_session.appHome, QLocale().toString(0.75).contains(QLatin1Char(',')));
    // The dialogs start where the user left them last time; the recent files come back.
    restoreRememberedFolders(m_session, ZemSettings::folders());
    m_session.shell.recentFiles = ZemSettings::recentFiles();
    buildMenus();
    buildToolBar();
    m_firstUserPanel->setVisible(false);
    refreshEnabledStates();
    const QByteArray geometry = ZemSettings::mainWindowGeometry();
    if (geometry.isEmpty() || !restoreGeometry(geometry)) {
        resize(1100, 760);
    }
    restoreState(ZemSettings::mainWindowState());
    // F1 shows the help page of the window the user works in (menus handle F1 on their items).
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, [this] {
        const std::optional<WindowId> active = activeWindowId();
        showHelp(active ? helpTopicOfWindow(m_session, *active) : kHelpIndex);
    });
    open(WindowId::Model);
    if (open(WindowId::Tip)) {
        auto* tip = qobject_cast<frmTip*>(window(WindowId::Tip));
        if (tip != nullptr && !tip->wanted()) {
            close(WindowId::Tip);
        }
    }
}

MDIZEM::~MDIZEM() {
    if (m_help) {
        delete m_help.data();
    }
}

void MDIZEM::refreshEnabledStates() {
    for (CommandAction& command : m_commands) {
        if (command.action == nullptr) {
            continue;  // a command without a menu item of its own
        }
        bool available = true;
        for (WindowId id : command.needs) {
            available = available && canCreate(id);
        }
        command.action->setEnabled(command.enabledByState && available);
    }
}

void MDIZEM::setEditDataEnabled(bool enabled) {
    command(Command::EditData).enabledByState = enabled;
    refreshEnabledStates();
}

void MDIZEM::runCommand(const std::function<void()>& run, bool closeTip) {
    if (closeTip) {
        close(WindowId::Tip);
    }
    run();
    saveRememberedFiles();
}

void MDIZEM::saveRememberedFiles() const {
    ZemSettings::setFolders(rememberedFolders(m_session));
    ZemSettings::setRecentFiles(m_session.shell.recentFiles);
}

void MDIZEM::fillRecentMenu() {
    m_recentMenu->clear();
    int number = 1;
    for (const std::string& path : m_session.shell.recentFiles) {
        const QString file = QString::fromStdString(path);
        QAction* action = m_recentMenu->addAction(
            QStringLiteral("&%1 %2").arg(number++).arg(QString::fromStdString(FileNameOnly(path))));
        action->setToolTip(file);
        action->setStatusTip(file);
        connect(action, &QAction::triggered, this, [this, path] {
            close(WindowId::Tip);
            openFile(path);
            saveRememberedFiles();
        });
    }
    m_recentMenu->menuAction()->setEnabled(!m_session.shell.recentFiles.empty());
}

void MDIZEM::afterDataLoad() {
    setEditDataEnabled(true);
    if (canCreate(WindowId::DataEditor)) {
        close(WindowId::DataEditor);
        editDataSet(m_session, *this);
    }
}

void MDIZEM::loadDataWithDialog() {
    if (m_session.data.dataChanged && m_session.data.pointCount > 0 &&
        AskSaveChangedData(m_session, m_dialogs)) {
        return;
    }
    const std::string start = m_session.data.dataDir.empty() ? m_session.appHome : m_session.data.dataDir;
    const auto chosen = m_dialogs.chooseOpenFile("Laden experimenteller Daten", start, "Datenfile (*.ZD3)");
    if (chosen && !chosen->empty() && loadDataFileFromPath(m_session, m_dialogs, *chosen)) {
        afterDataLoad();
    }
}

bool MDIZEM::openFile(const std::string& path) {
    bool loaded = false;
    switch (outsideFileKind(path)) {
        case OutsideFileKind::Data:
            loaded = loadDataFileFromPath(m_session, m_dialogs, path);
            if (loaded) {
                afterDataLoad();
            }
            break;
        case OutsideFileKind::Project: {
            const ProjectLoadOutcome o = loadProjectFromPath(m_session, m_dialogs, path);
            afterProjectLoad(o.enableNewDataAndSaveProject, o.enableEditData, o.reopenModelWindow);
            loaded = o.projectRead;
            break;
        }
        case OutsideFileKind::Xy:
            if (!canCreate(WindowId::XYEditor)) {
                m_dialogs.showMessage(" Ausführung nicht möglich ", unknownFileKindText(path),
                                      MessageIcon::Critical);
                break;
            }
            loaded = loadXyFileFromPath(m_session, m_dialogs, path);
            if (loaded) {
                close(WindowId::XYEditor);
                open(WindowId::XYEditor);
            }
            break;
        case OutsideFileKind::Unknown:
            m_dialogs.showMessage(" Ausführung nicht möglich ", unknownFileKindText(path),
                                  MessageIcon::Critical);
            break;
    }
    if (!loaded) {
        forgetRecentFile(m_session, path);
    }
    saveRememberedFiles();
    return loaded;
}

void MDIZEM::afterProjectLoad(bool enableNewAndSave, bool enableEdit, bool reopenModel) {
    if (enableNewAndSave) {
        command(Command::NewData).enabledByState = true;
        command(Command::SaveProject).enabledByState = true;
    }
    if (enableEdit) {
        command(Command::EditData).enabledByState = true;
    }
    refreshEnabledStates();
    if (reopenModel) {
        close(WindowId::Model);
        open(WindowId::Model);
    }
}

void MDIZEM::fillWindowMenu() {
    m_windowMenu->clear();
    const auto windows = m_mdi->subWindowList();
    int number = 1;
    for (QMdiSubWindow* sub : windows) {
        QAction* action =
            m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(sub->windowTitle().trimmed()));
        action->setCheckable(true);
        action->setChecked(sub == m_mdi->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, sub] { m_mdi->setActiveSubWindow(sub); });
    }
}

void MDIZEM::registerWindow(WindowId id, WindowFactory factory) {
    m_factories[id] = std::move(factory);
    refreshEnabledStates();
}

bool MDIZEM::canCreate(WindowId id) const {
    switch (id) {
        case WindowId::Model:
        case WindowId::Matrix:
        case WindowId::Tip:
        case WindowId::Help:
        case WindowId::Options:
            return true;
        default:
            return m_factories.count(id) > 0;
    }
}

QWidget* MDIZEM::createWindow(WindowId id) {
    switch (id) {
        case WindowId::Model: {
            ModelWindowLinks links;
            links.calculationWindows = [this] { return calculationWindows(); };
            links.matrixOpen = [this] { return isOpen(WindowId::Matrix); };
            links.openMatrix = [this] { open(WindowId::Matrix); };
            links.closeMatrix = [this] { close(WindowId::Matrix); };
            links.showHelp = [this](int topic) { showHelp(topic); };
            links.timeUnitChanged = [this] {
                if (QWidget* editor = window(WindowId::DataEditor)) {
                    QMetaObject::invokeMethod(editor, "refreshTable");
                }
            };
            return new frmZemModel(m_session, std::move(links));
        }
        case WindowId::Matrix:
            return new frmmatrix(m_session);
        case WindowId::Tip:
            return new frmTip(m_session);
        case WindowId::Options:
            return new frmOption(m_session, this);
        case WindowId::Help:
            return nullptr;
        default: {
            const auto it = m_factories.find(id);
            return it == m_factories.end() ? nullptr : it->second(*this);
        }
    }
}

QWidget* MDIZEM::window(WindowId id) const {
    if (id == WindowId::Help) {
        return m_help;
    }
    const auto it = m_open.find(id);
    return it == m_open.end() ? nullptr : it->second.data();
}

bool MDIZEM::isOpen(WindowId id) const {
    return window(id) != nullptr;
}

bool MDIZEM::open(WindowId id) {
    if (id == WindowId::Help) {
        showHelp(kHelpIndex);
        return true;
    }
    if (QWidget* existing = window(id)) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(existing->parentWidget())) {
            sub->show();
            m_mdi->setActiveSubWindow(sub);
        } else {
            existing->show();
            existing->raise();
        }
        return true;
    }
    if (id == WindowId::Options) {
        runOptionsDialog();
        return true;
    }
    QWidget* widget = createWindow(id);
    if (widget == nullptr) {
        return false;
    }
    m_open[id] = widget;
    widget->installEventFilter(this);
    if (isMdiChild(id)) {
        QMdiSubWindow* sub = m_mdi->addSubWindow(widget);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowIcon(windowIcon());
        sub->adjustSize();
        // Wide enough for the whole title beside the frame's icon and buttons.
        const int titleWidth = QFontMetrics(sub->font()).horizontalAdvance(sub->windowTitle()) + 110;
        if (sub->width() < titleWidth) {
            sub->resize(titleWidth, sub->height());
        }
        sub->show();
        placeWindow(id);
        m_mdi->setActiveSubWindow(sub);
    } else {
        widget->show();
    }
    return true;
}

void MDIZEM::close(WindowId id) {
    if (id == WindowId::Help) {
        if (m_help) {
            m_help->close();
        }
        return;
    }
    const auto it = m_open.find(id);
    if (it == m_open.end()) {
        return;
    }
    QPointer<QWidget> widget = it->second;
    m_open.erase(it);
    if (!widget) {
        return;
    }
    // Unloaded at once, so that a following open() builds the window anew.
    QWidget* holder = qobject_cast<QMdiSubWindow*>(widget->parentWidget());
    if (holder == nullptr) {
        holder = widget;
    }
    holder->hide();
    holder->deleteLater();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(holder)) {
        m_mdi->removeSubWindow(sub);
    }
}

void MDIZEM::focus(WindowId id) {
    if (QWidget* w = window(id)) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) {
            m_mdi->setActiveSubWindow(sub);
        }
        w->setFocus();
    }
}

void MDIZEM::pressFittingDraw() {
    if (QWidget* fitting = window(WindowId::Fitting)) {
        if (auto* draw = fitting->findChild<QPushButton*>(QStringLiteral("cmdDrawNewCurve"))) {
            draw->click();
        }
    }
}

void MDIZEM::setUpDiagram() {
    // The diagram window sets itself up from the session's diagram kind when it opens; an open
    // one is rebuilt.
    if (canCreate(WindowId::Diagram)) {
        close(WindowId::Diagram);
        open(WindowId::Diagram);
    }
}

void MDIZEM::showModel() {
    if (auto* model = qobject_cast<frmZemModel*>(window(WindowId::Model))) {
        model->showCurrentModel();
        return;
    }
    for (CalculationWindow* w : calculationWindows()) {
        w->applyModelConfig(buildCalcWindowConfig(m_session, w->calcWindowKind(), w->calcWindowExtras()));
    }
}

std::vector<CalculationWindow*> MDIZEM::calculationWindows() const {
    std::vector<CalculationWindow*> windows;
    for (const auto& [id, widget] : m_open) {
        if (auto* calc = dynamic_cast<CalculationWindow*>(widget.data())) {
            windows.push_back(calc);
        }
    }
    return windows;
}

void MDIZEM::runOptionsDialog() {
    frmOption dialog(m_session, this);
    // The stored options apply at once to an open Monte-Carlo window.
    if (dialog.exec() == QDialog::Accepted) {
        if (QWidget* monteCarlo = window(WindowId::MonteCarlo)) {
            QMetaObject::invokeMethod(monteCarlo, "applyOptions");
        }
    }
}

void MDIZEM::showHelp(int topic) {
    if (!m_help) {
        m_help = new frmHelp(m_session.shell.helpDir);
        m_help->setWindowIcon(windowIcon());
    }
    m_help->showTopic(topic);
    m_help->show();
    m_help->raise();
}

QMenu* MDIZEM::contextMenu(int which) const {
    return which == 1 || which == 2 ? m_contextMenus[which - 1] : nullptr;
}

void MDIZEM::placeWindow(WindowId id) {
    QWidget* widget = window(id);
    auto* sub = widget ? qobject_cast<QMdiSubWindow*>(widget->parentWidget()) : nullptr;
    if (sub == nullptr) {
        return;
    }
    const QSize area = m_mdi->viewport()->size();
    if (id == WindowId::Model) {
        // Top right, 400 twips from the right edge, so that the work windows open beside it.
        sub->move(std::max(0, area.width() - sub->width() - 27), 0);
    } else if (id == WindowId::Tip) {
        // At the bottom, left of the model window: the model list stays uncovered.
        const QWidget* model = window(WindowId::Model);
        const int right = model ? model->parentWidget()->x() - 8 : area.width() - 8;
        sub->move(std::max(8, right - sub->width()), std::max(0, area.height() - sub->height() - 8));
    } else if (id == WindowId::Matrix) {
        sub->move(0, 40);  // top 600 twips
    } else if (id == WindowId::SimulationSetUp) {
        sub->move(4, 0);  // at the left edge, 60 twips in
    }
    // Every window fits the work area, also on a 1366 x 768 screen: one taller than the area is
    // shortened, and none starts beyond the bottom or right edge. Before the main window is shown
    // the area has no size yet; it places its windows again when it appears.
    if (!isVisible()) {
        return;
    }
    if (sub->height() > area.height()) {
        sub->resize(sub->width(), area.height());
    }
    sub->move(std::clamp(sub->x(), 0, std::max(0, area.width() - sub->width())),
              std::clamp(sub->y(), 0, std::max(0, area.height() - sub->height())));
}

void MDIZEM::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        for (const auto& [id, widget] : m_open) {
            if (id != WindowId::Tip) {
                placeWindow(id);
            }
        }
        placeWindow(WindowId::Tip);  // beside the placed model window
    }
}

std::optional<WindowId> MDIZEM::activeWindowId() const {
    const QMdiSubWindow* active = m_mdi->activeSubWindow();
    for (const auto& [id, widget] : m_open) {
        if (widget && active != nullptr && widget->parentWidget() == active) {
            return id;
        }
    }
    return std::nullopt;
}

bool MDIZEM::pressEscButtonOfActiveWindow() {
    const QMdiSubWindow* active = m_mdi->activeSubWindow();
    if (active == nullptr || active->widget() == nullptr) {
        return false;
    }
    for (QPushButton* button : active->widget()->findChildren<QPushButton*>()) {
        if (button->text().endsWith(QStringLiteral("<Esc>")) && button->isVisible() && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return false;
}

void MDIZEM::keyPressEvent(QKeyEvent* event) {
    // Windows that handle Esc themselves take the key first; the others close through their
    // "... <Esc>" button.
    if (event->key() == Qt::Key_Escape && pressEscButtonOfActiveWindow()) {
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MDIZEM::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFiles(event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void MDIZEM::dropEvent(QDropEvent* event) {
    if (dropFiles(event->mimeData())) {
        event->acceptProposedAction();
    }
}

bool MDIZEM::dropFiles(const QMimeData* mime) {
    const std::vector<std::string> files = droppedFiles(mime);
    if (files.empty()) {
        return false;
    }
    // The files are loaded after the drop has ended, so that message boxes do not block the
    // file manager that started the drag.
    QTimer::singleShot(0, this, [this, files] {
        close(WindowId::Tip);
        for (const std::string& file : files) {
            openFile(file);
        }
    });
    return true;
}

void MDIZEM::closeEvent(QCloseEvent* event) {
    // The frame's close button runs the same steps as "Exit", so unsaved data cannot be lost.
    if (!m_exitDone) {
        close(WindowId::Tip);
        if (!runExit(m_session, exitStepsFor(m_session, m_dialogs))) {
            event->ignore();
            return;
        }
        m_exitDone = true;
    }
    ZemSettings::setMainWindowPlace(saveGeometry(), saveState());
    saveRememberedFiles();
    if (m_help) {
        m_help->close();
    }
    m_mdi->closeAllSubWindows();
    event->accept();
}

bool MDIZEM::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close) {
        // A window that closes itself ("Schließen", Esc) is unloaded with its frame once it is
        // hidden; a window that refused to close stays.
        for (const auto& [id, widget] : m_open) {
            if (widget.data() == watched) {
                const WindowId closing = id;
                QTimer::singleShot(0, this, [this, closing, child = widget] {
                    if (child && child->isHidden() && window(closing) == child.data()) {
                        close(closing);
                    }
                });
                break;
            }
        }
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (auto* menu = qobject_cast<QMenu*>(watched)) {
            QAction* action = menu->activeAction();
            const int topic = action ? action->property("helpContext").toInt() : 0;
            const int menuTopic = menu->menuAction()->property("helpContext").toInt();
            if (topic > 0 || menuTopic > 0) {
                menu->close();
                showHelp(topic > 0 ? topic : menuTopic);
                return true;
            }
        }
    }
    if (watched == m_mdi && event->type() == QEvent::Resize) {
        placeFirstUserPanel();
    }
    if (event->type() == QEvent::MouseButtonPress && m_firstUserPanel != nullptr &&
        (watched == m_firstUserPanel || static_cast<QWidget*>(watched)->parentWidget() == m_firstUserPanel)) {
        m_firstUserPanel->setVisible(false);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace zemtral
