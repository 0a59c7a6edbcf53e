#include "ui/data/frm_cmn_dlg.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "session/open_dialog.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "ui/shell/qt_user_dialogs.h"

namespace zemtral {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

constexpr int kPlaceFolderRole = Qt::UserRole + 1;

}  // namespace

frmCmnDlg::frmCmnDlg(Session& session, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs) {
    setObjectName("frmCmnDlg");
    setModal(true);

    m_places = new QListWidget(this);
    m_places->setObjectName("drvOpenList");
    m_places->setFixedWidth(165);
    m_places->setTextElideMode(Qt::ElideMiddle);
    m_places->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const auto addPlace = [this](const QString& label, const QString& folder, QStyle::StandardPixmap icon) {
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            return;
        }
        for (int i = 0; i < m_places->count(); ++i) {
            if (m_places->item(i)->data(kPlaceFolderRole).toString() == folder) {
                return;
            }
        }
        auto* item = new QListWidgetItem(style()->standardIcon(icon), label, m_places);
        item->setData(kPlaceFolderRole, folder);
        item->setToolTip(folder);
    };
    addPlace(QStringLiteral("Persönlicher Ordner"), QDir::homePath(), QStyle::SP_DirHomeIcon);
    addPlace(QStringLiteral("Dokumente"), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
             QStyle::SP_DirIcon);
    addPlace(QStringLiteral("Beispieldaten"), q(session.appHome), QStyle::SP_DirIcon);
    addPlace(QStringLiteral("Dateisystem"), QDir::rootPath(), QStyle::SP_DriveHDIcon);
    // Mounted volumes: removable media and network shares, not the system's own mounts.
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() &&
            (root.startsWith(QStringLiteral("/media/")) || root.startsWith(QStringLiteral("/mnt/")) ||
             root.startsWith(QStringLiteral("/run/media/")))) {
            const QString name = volume.name().isEmpty() ? QFileInfo(root).fileName() : volume.name();
            addPlace(name.isEmpty() ? root : name, root, QStyle::SP_DriveHDIcon);
        }
    }
    connect(m_places, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { goToDirectory(item->data(kPlaceFolderRole).toString()); });

    m_dirModel = new QFileSystemModel(this);
    m_dirModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_dirModel->setRootPath(QDir::rootPath());
    m_dirs = new QTreeView(this);
    m_dirs->setObjectName("dirOpenList");
    m_dirs->setModel(m_dirModel);
    m_dirs->setHeaderHidden(true);
    m_dirs->setIndentation(12);
    m_dirs->header()->setStretchLastSection(false);
    m_dirs->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    for (int column = 1; column < m_dirModel->columnCount(); ++column) {
        m_dirs->hideColumn(column);
    }
    // The tree loads folders as they are needed: once the way to the current folder is there,
    // it is opened and shown.
    connect(m_dirModel, &QFileSystemModel::directoryLoaded, this, [this] {
        const QModelIndex current = m_dirModel->index(directory());
        if (current.isValid()) {
            for (QModelIndex up = current.parent(); up.isValid(); up = up.parent()) {
                m_dirs->expand(up);
            }
            m_dirs->setCurrentIndex(current);
            // Scrolled once the tree has laid out the rows it just received.
            QTimer::singleShot(150, m_dirs, [this] {
                m_dirs->scrollTo(m_dirs->currentIndex(), QAbstractItemView::PositionAtCenter);
            });
        }
    });
    connect(m_dirs, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { goToDirectory(m_dirModel->filePath(index)); });

    m_fileModel = new QFileSystemModel(this);
    m_fileModel->setFilter(QDir::Files);
    m_fileModel->setNameFilterDisables(false);
    m_files = new QListView(this);
    m_files->setObjectName("filOpenList");
    m_files->setModel(m_fileModel);
    m_files->installEventFilter(this);
    connect(m_files, &QListView::clicked, this,
            [this](const QModelIndex& index) { selectFile(m_fileModel->fileName(index)); });
    connect(m_files, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { accept(m_fileModel->fileName(index)); });

    m_name = new QLineEdit(this);
    m_name->setObjectName("txtOpenFile");
    auto* nameLabel = new QLabel(QStringLiteral("Datei&name:"), this);
    nameLabel->setBuddy(m_name);
    m_path = new QLabel(this);
    m_path->setObjectName("lblOpenPath");
    m_path->setWordWrap(true);
    m_path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_commentLabel = new QLabel(QStringLiteral("Datei-Kommentar:"), this);
    m_commentLabel->setObjectName("lblFileComment");
    m_comment = new QPlainTextEdit(this);
    m_comment->setObjectName("Text1");
    m_comment->setReadOnly(true);
    m_comment->setMaximumHeight(60);

    auto* ok = new QPushButton(QStringLiteral("OK, Laden"), this);
    ok->setObjectName("cmdOpenOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmCmnDlg::pressOk);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen <Esc>"), this);
    cancel->setObjectName("cmdOpenCancel");
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_acceptMark = false;
        reject();
    });
    auto* up = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogToParent), QString(), this);
    up->setObjectName("cmdReturn");
    up->setToolTip(QStringLiteral(" übergeordneter Ordner "));
    connect(up, &QPushButton::clicked, this, [this] {
        QDir dir(directory());
        if (dir.cdUp()) {
            goToDirectory(dir.absolutePath());
        }
    });

    auto* layout = new QVBoxLayout(this);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(new QLabel(QStringLiteral("Pfad:"), this));
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(up);
    layout->addLayout(pathRow);
    auto* lists = new QGridLayout;
    lists->addWidget(m_places, 0, 0, 3, 1);
    lists->addWidget(m_dirs, 0, 1, 3, 1);
    lists->addWidget(nameLabel, 0, 2);
    lists->addWidget(m_name, 1, 2);
    lists->addWidget(m_files, 2, 2);
    lists->setColumnStretch(1, 2);
    lists->setColumnStretch(2, 3);
    layout->addLayout(lists, 1);
    layout->addWidget(m_commentLabel);
    layout->addWidget(m_comment);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    m_commentLabel->hide();
    m_comment->hide();
    resize(640, 460);
}

void frmCmnDlg::setUp(const std::string& title, const std::string& pattern, const std::string& directory,
                      const std::string& fileName) {
    setWindowTitle(q(title));
    m_pattern = pattern.empty() ? QStringLiteral("*.*") : q(pattern);
    m_fileModel->setNameFilters({m_pattern});
    goToDirectory(directory.empty() ? QDir::currentPath() : q(directory));
    // The name is shown as given: on a file system that tells upper from lower case, an upper-cased
    // name would name another file, or none.
    m_name->setText(fileName.empty() ? m_pattern : q(fileName));
    m_acceptMark = false;
}

QString frmCmnDlg::directory() const {
    return m_fileModel->rootPath();
}

QString frmCmnDlg::fileNameText() const {
    return m_name->text();
}

QStringList frmCmnDlg::placeFolders() const {
    QStringList folders;
    for (int i = 0; i < m_places->count(); ++i) {
        folders << m_places->item(i)->data(kPlaceFolderRole).toString();
    }
    return folders;
}

void frmCmnDlg::goToDirectory(const QString& path) {
    const QString folder = QDir(path).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        return;
    }
    m_files->setRootIndex(m_fileModel->setRootPath(folder));
    const QModelIndex dirIndex = m_dirModel->index(folder);
    for (QModelIndex up = dirIndex.parent(); up.isValid(); up = up.parent()) {
        m_dirs->expand(up);
    }
    m_dirs->setCurrentIndex(dirIndex);
    m_dirs->scrollTo(dirIndex, QAbstractItemView::PositionAtCenter);
    m_path->setText(QDir::toNativeSeparators(folder));
    m_name->setText(m_pattern);
    m_selected.clear();
    m_commentLabel->hide();
    m_comment->hide();
}

void frmCmnDlg::selectFile(const QString& name) {
    m_selected = name;
    m_name->setText(name);
    m_commentLabel->hide();
    m_comment->hide();
    const std::string path = QDir(directory()).filePath(name).toStdString();
    if (const auto preview = fileCommentPreview(m_session, m_dialogs, path)) {
        m_commentLabel->setText(q(preview->label));
        m_comment->setPlainText(q(preview->comment));
        m_commentLabel->show();
        m_comment->show();
    }
}

void frmCmnDlg::pressOk() {
    const QString text = m_name->text().trimmed();
    if (!m_selected.isEmpty() && text == m_selected) {
        accept(text);
        return;
    }
    const OpenTextDecision decision = decideOpenDialogText(text.toStdString(), directory().toStdString());
    switch (decision.action) {
        case OpenTextAction::Accept: {
            const QFileInfo file(q(decision.path));
            if (file.absolutePath() != directory()) {
                goToDirectory(file.absolutePath());
            }
            accept(file.fileName());
            break;
        }
        case OpenTextAction::NewPattern:
            m_pattern = q(decision.path);
            m_fileModel->setNameFilters({m_pattern});
            m_name->setText(m_pattern);
            break;
        case OpenTextAction::NotFound:
            m_dialogs.showMessage(windowTitle().toStdString(), "Datei nicht gefunden", MessageIcon::Critical);
            m_name->setText(m_pattern);
            break;
    }
}

void frmCmnDlg::accept(const QString& name) {
    m_name->setText(name);
    m_acceptMark = true;
    QDialog::accept();
}

void frmCmnDlg::deleteSelected() {
    const QModelIndex index = m_files->currentIndex();
    if (!index.isValid()) {
        return;
    }
    if (deleteFileAfterQuestion(m_dialogs, m_fileModel->filePath(index).toStdString())) {
        m_selected.clear();
        m_name->setText(m_pattern);
        m_commentLabel->hide();
        m_comment->hide();
    }
}

bool frmCmnDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_files && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteSelected();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void installOwnOpenDialog(QtUserDialogs& dialogs, Session& session) {
    dialogs.setOwnOpenDialog([&dialogs, &session](const std::string& title, const std::string& directory,
                                                  const std::string& pattern) -> std::optional<std::string> {
        std::string name;
        std::string folder = directory;
        if (ShowOpenDialog(session, dialogs, QApplication::activeWindow(), name, folder, pattern, title)) {
            return std::nullopt;
        }
        return QDir(QString::fromStdString(folder)).filePath(QString::fromStdString(name)).toStdString();
    });
}

bool ShowOpenDialog(Session& session, UserDialogs& dialogs, QWidget* parent, std::string& fileName,
                    std::string& directory, const std::string& pattern, const std::string& title) {
    frmCmnDlg dialog(session, dialogs, parent);
    dialog.setUp(title, pattern, directory, fileName);
    dialog.exec();
    if (!dialog.acceptMark()) {
        return true;
    }
    fileName = dialog.fileNameText().toStdString();
    directory = dialog.directory().toStdString();
    return false;
}

}  // namespace zemtral
