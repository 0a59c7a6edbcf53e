#include "ui/data/frm_manu_input.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "data/exp_data_set.h"
#include "numeric/number_text.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "session/xy_commands.h"
#include "session/xy_editor.h"
#include "ui/simulation/number_field.h"

namespace zemtral {
namespace {

const char* const kFormulaCaptions[] = {"y = exp(y)", "y = ln(y)", "y = y * W",
                                        "y = y + W",  "y = 1 / y", "x = 1 - x"};

// Cells are edited in a number field: only the keys of a number pass.
class NumberCellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* editor = new NumberField(parent);
        editor->setFrame(false);
        return editor;
    }
};

QPushButton* button(QWidget* parent, const char* caption, const char* name) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QRadioButton* radio(QWidget* parent, const char* caption, const QString& name) {
    auto* r = new QRadioButton(QString::fromUtf8(caption), parent);
    r->setObjectName(name);
    return r;
}

int separatorEntry(const std::string& separator) {
    return separator == "," ? 1 : separator == "\t" ? 2 : 0;
}

}  // namespace

frmManuInput::frmManuInput(Session& session, UserDialogs& dialogs, XyEditorLinks links, QWidget* parent)
    : QWidget(parent), m_session(session), m_dialogs(dialogs), m_links(std::move(links)) {
    setObjectName(QStringLiteral("frmManuInput"));
    setWindowTitle(QStringLiteral("Punkte eingeben/editieren   "));

    m_grid = new QTableWidget(this);
    m_grid->setObjectName(QStringLiteral("grdXY"));
    m_grid->setColumnCount(3);
    m_grid->setHorizontalHeaderLabels({QStringLiteral("#"), QStringLiteral("x"), QStringLiteral("y")});
    m_grid->verticalHeader()->setVisible(false);
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid->setItemDelegate(new NumberCellDelegate(m_grid));
    m_grid->setFont(QFont(QStringLiteral("Courier New"), 9));
    m_grid->setColumnWidth(0, 70);
    m_grid->setColumnWidth(1, 130);
    m_grid->setColumnWidth(2, 130);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setMinimumWidth(360);
    m_grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(m_grid->font()).height() + 6);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QTableWidget::cellChanged, this, &frmManuInput::cellEdited);
    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { currentRowChanged(row); });
    connect(m_grid, &QWidget::customContextMenuRequested, this, &frmManuInput::showContextMenu);
    auto* pasteKey = new QShortcut(QKeySequence::Paste, m_grid, nullptr, nullptr, Qt::WidgetShortcut);
    connect(pasteKey, &QShortcut::activated, this, [this] { pasteText(QApplication::clipboard()->text()); });

    // Invisible buttons that the context menu presses.
    auto* copy = button(this, "Kopieren", "cmdClipboard");
    copy->setToolTip(QStringLiteral("...Datenexport zu MS-Excel | Origin "));
    copy->setVisible(false);
    connect(copy, &QPushButton::clicked, this,
            [this] { m_dialogs.setClipboardText(xyClipboardText(m_session.xy, decimalSeparator())); });
    auto* zero = button(this, "markierte Zelle(n) => 0", "cmdEraseSelected");
    zero->setVisible(false);
    connect(zero, &QPushButton::clicked, this, &frmManuInput::eraseSelectedCells);

    auto* right = new QVBoxLayout;
    right->addWidget(buildInputFrame());

    auto* erase = button(this, "Zeile(n) entfernen", "cmdErase");
    connect(erase, &QPushButton::clicked, this, &frmManuInput::eraseRows);
    m_deleteAll = radio(this, "alle", QStringLiteral("optDeleteXY_0"));
    m_deleteMarked = radio(this, "markierte Zeile(n)", QStringLiteral("optDeleteXY_1"));
    m_deleteMarked->setChecked(true);
    auto* eraseRow = new QHBoxLayout;
    eraseRow->addWidget(erase);
    eraseRow->addWidget(m_deleteAll);
    eraseRow->addWidget(m_deleteMarked);
    eraseRow->addStretch(1);
    right->addLayout(eraseRow);

    auto* active = button(this, "Zeile &aktiv/inaktiv", "cmdAus");
    active->setToolTip(QStringLiteral("...schließt Punkte von Zeichnen und Abspeichern aus "));
    connect(active, &QPushButton::clicked, this, &frmManuInput::toggleActive);
    auto* paste = button(this, "Einfügen Clipboard", "cmdClipEinfuegen");
    paste->setToolTip(QStringLiteral(" entspricht <Strg><V>; geeignet zum Import von  MS-Excel | Origin "));
    connect(paste, &QPushButton::clicked, this, [this] { pasteText(QApplication::clipboard()->text()); });
    auto* xSort = button(this, "&x-Sort", "XSort");
    connect(xSort, &QPushButton::clicked, this, [this] {
        sortByX(m_session.xy);
        afterListChange();
    });
    auto* ySort = button(this, "&y-Sort", "YSort");
    connect(ySort, &QPushButton::clicked, this, [this] {
        sortByY(m_session.xy);
        afterListChange();
    });
    auto* manip = button(this, "Zahlen modifizieren", "cmdManip");
    auto* listButtons = new QGridLayout;
    listButtons->addWidget(active, 0, 0);
    listButtons->addWidget(paste, 0, 1);
    listButtons->addWidget(xSort, 1, 0);
    listButtons->addWidget(ySort, 1, 1);
    listButtons->addWidget(manip, 2, 0, 1, 2);
    right->addLayout(listButtons);
    right->addWidget(buildManipulationFrame());
    connect(manip, &QPushButton::clicked, this, [this] {
        m_manipulation->setVisible(true);
        fitFrame();
    });

    right->addWidget(buildFileFrame());

    auto* drawFrame = new QGroupBox(QStringLiteral("Diagramm"), this);
    auto* draw = button(drawFrame, "&Zeichnen", "cmdDrawManu");
    connect(draw, &QPushButton::clicked, this, &frmManuInput::draw);
    m_asPoints = radio(drawFrame, "als Punkte", QStringLiteral("optIsPoints_0"));
    auto* asCurve = radio(drawFrame, "als Kurve", QStringLiteral("optIsPoints_1"));
    m_asPoints->setChecked(true);
    auto* drawRow = new QHBoxLayout(drawFrame);
    drawRow->addWidget(draw);
    drawRow->addWidget(m_asPoints);
    drawRow->addWidget(asCurve);
    drawRow->addStretch(1);
    right->addWidget(drawFrame);

    right->addStretch(1);
    auto* printButton = button(this, "Liste &drucken", "cmdPrint");
    connect(printButton, &QPushButton::clicked, this, &frmManuInput::print);
    auto* esc = button(this, "Schließen <Esc>", "cmdEsc");
    connect(esc, &QPushButton::clicked, this, &QWidget::close);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(printButton);
    bottom->addStretch(1);
    bottom->addWidget(esc);
    right->addLayout(bottom);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(right);

    m_comment->setText(QString::fromStdString(m_session.xy.comment));
    setEditMode(m_session.xy.count() > 0);
    refreshTable();
    resize(820, 600);
}

QWidget* frmManuInput::buildInputFrame() {
    m_inputFrame = new QGroupBox(this);
    m_inputFrame->setObjectName(QStringLiteral("fraInput"));
    m_x = new NumberField(m_inputFrame);
    m_x->setObjectName(QStringLiteral("inpX"));
    m_y = new NumberField(m_inputFrame);
    m_y->setObjectName(QStringLiteral("inpY"));
    m_x->setEnterHandler([this] { m_y->setFocus(); });
    m_y->setEnterHandler([this] { m_x->setFocus(); });
    m_x->installEventFilter(this);
    m_y->installEventFilter(this);
    m_edit = radio(m_inputFrame, "Editieren", QStringLiteral("optInputMode_0"));
    m_add = radio(m_inputFrame, "Zufügen", QStringLiteral("optInputMode_1"));
    connect(m_edit, &QRadioButton::clicked, this, [this] { setEditMode(true); });
    connect(m_add, &QRadioButton::clicked, this, [this] { setEditMode(false); });
    auto* store = button(m_inputFrame, "Daten in Liste übernehmen <+>", "OKinput");
    connect(store, &QPushButton::clicked, this, &frmManuInput::storeInput);
    auto* grid = new QGridLayout(m_inputFrame);
    grid->addWidget(new QLabel(QStringLiteral("x ="), m_inputFrame), 0, 0);
    grid->addWidget(m_x, 0, 1);
    grid->addWidget(m_edit, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("y ="), m_inputFrame), 1, 0);
    grid->addWidget(m_y, 1, 1);
    grid->addWidget(m_add, 1, 2);
    grid->addWidget(store, 2, 0, 1, 3);
    return m_inputFrame;
}

QWidget* frmManuInput::buildManipulationFrame() {
    m_manipulation = new QGroupBox(QStringLiteral("Zahlen modifizieren"), this);
    m_manipulation->setObjectName(QStringLiteral("fraManip"));
    m_formulas = new QButtonGroup(m_manipulation);
    auto* grid = new QGridLayout(m_manipulation);
    for (int i = 0; i < 6; ++i) {
        QRadioButton* option =
            radio(m_manipulation, kFormulaCaptions[i], QStringLiteral("optManip_%1").arg(i));
        m_formulas->addButton(option, i);
        grid->addWidget(option, i % 3, i / 3);
    }
    m_formulas->button(0)->setChecked(true);
    m_w = new NumberField(m_manipulation);
    m_w->setObjectName(QStringLiteral("txtW"));
    auto* wRow = new QHBoxLayout;
    wRow->addWidget(new QLabel(QStringLiteral("W = "), m_manipulation));
    wRow->addWidget(m_w, 1);
    grid->addLayout(wRow, 3, 0, 1, 2);
    auto* execute = button(m_manipulation, "Ausführen", "cmdExecManip");
    connect(execute, &QPushButton::clicked, this, &frmManuInput::executeFormula);
    auto* swap = button(m_manipulation, "x <==> y", "cmdChangeXY");
    swap->setToolTip(QStringLiteral(" vertauscht x- und y-Spalte "));
    connect(swap, &QPushButton::clicked, this, [this] {
        swapXy(m_session.xy);
        afterListChange();
    });
    auto* close = button(m_manipulation, "Schließen", "cmdCloseManip");
    connect(close, &QPushButton::clicked, this, [this] { m_manipulation->setVisible(false); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(execute);
    buttons->addWidget(swap);
    buttons->addWidget(close);
    grid->addLayout(buttons, 4, 0, 1, 2);
    m_manipulation->setVisible(false);
    return m_manipulation;
}

QWidget* frmManuInput::buildFileFrame() {
    auto* frame = new QGroupBox(QStringLiteral("XY-Datei"), this);
    auto* load = button(frame, "D&aten laden *.XY | *.LRG", "cmdLoad");
    connect(load, &QPushButton::clicked, this, &frmManuInput::loadFile);
    auto* save = button(frame, "&Speichern *.XY ...", "cmdSave");
    connect(save, &QPushButton::clicked, this, &frmManuInput::saveFile);
    m_separator = new QComboBox(frame);
    auto* separator = m_separator;
    separator->setObjectName(QStringLiteral("cmbSep"));
    separator->addItems({QStringLiteral("Semikolon"), QStringLiteral("Komma"), QStringLiteral("Tab")});
    separator->setCurrentIndex(separatorEntry(m_session.protocol.separator));
    connect(separator, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int entry) { m_session.protocol.separator = protocolSeparatorOfEntry(entry); });
    m_comment = new QLineEdit(frame);
    m_comment->setObjectName(QStringLiteral("txtComment"));
    connect(m_comment, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_session.xy.comment = text.toStdString();
        m_session.xy.unsaved = true;
    });
    m_fileLabel = new QLabel(frame);
    m_fileLabel->setObjectName(QStringLiteral("lblFile"));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(load, 0, 0);
    grid->addWidget(save, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Trennzeichen für XY-Datei"), frame), 1, 0);
    grid->addWidget(separator, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("optionaler File-Kommentar"), frame), 2, 0, 1, 2);
    grid->addWidget(m_comment, 3, 0, 1, 2);
    grid->addWidget(m_fileLabel, 4, 0, 1, 2);
    return frame;
}

void frmManuInput::fitFrame() {
    // The formula frame made the window taller: the frame grows so that nothing is squeezed.
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget()) != nullptr ? parentWidget() : this;
    layout()->activate();
    frame->resize(frame->size().expandedTo(frame->sizeHint()));
}

void frmManuInput::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The protocol window shares the separator and sets it when it opens: shown as it stands.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_separator != nullptr) {
        const QSignalBlocker block(m_separator);
        m_separator->setCurrentIndex(separatorEntry(m_session.protocol.separator));
    }
}

void frmManuInput::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fitFrame();
}

char frmManuInput::decimalSeparator() const {
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

// --- The grid -------------------------------------------------------------------------------------

void frmManuInput::refreshTable() {
    const XyList& xy = m_session.xy;
    const char sep = decimalSeparator();
    m_filling = true;
    m_grid->clearContents();
    m_grid->setRowCount(std::max(1, xy.count()));
    if (xy.count() == 0) {
        auto* empty = new QTableWidgetItem(QStringLiteral("leere Liste"));
        empty->setFlags(Qt::ItemIsEnabled);
        m_grid->setItem(0, 1, empty);
    }
    for (int i = 1; i <= xy.count(); ++i) {
        const XyPoint& p = xy.points[static_cast<std::size_t>(i)];
        auto* number =
            new QTableWidgetItem(p.active() ? QString::number(i) : QStringLiteral("%1 aus").arg(i));
        number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        auto* x = new QTableWidgetItem(QString::fromStdString(formatSingle(p.x, sep)));
        auto* y = new QTableWidgetItem(QString::fromStdString(formatSingle(p.y, sep)));
        if (!p.active()) {
            // Inactive points are neither drawn nor saved: shown greyed.
            for (QTableWidgetItem* item : {number, x, y}) {
                item->setForeground(QColor(150, 150, 150));
            }
        }
        m_grid->setItem(i - 1, 0, number);
        m_grid->setItem(i - 1, 1, x);
        m_grid->setItem(i - 1, 2, y);
    }
    m_filling = false;
    m_current = std::clamp(m_current, 1, std::max(1, xy.count()));
    showCaption();
}

void frmManuInput::afterListChange() {
    refreshTable();
    if (m_session.xy.count() == 0) {
        setEditMode(false);
    } else if (m_editMode) {
        showCurrentPoint();
    }
}

void frmManuInput::cellEdited(int row, int column) {
    if (m_filling || column < kXyColumnX) {
        return;
    }
    QTableWidgetItem* item = m_grid->item(row, column);
    if (m_session.xy.count() == 0 || item == nullptr) {
        refreshTable();  // typing into "leere Liste" adds nothing: points come through the input fields
        return;
    }
    const float value = toSingle(parseNumber(item->text().toStdString()));
    if (!std::isfinite(value)) {
        m_dialogs.showMessage(kNotPossibleTitle, "Überlauf", MessageIcon::Critical);
    } else {
        setXyCell(m_session.xy, row + 1, column, value);
    }
    // The cell shows the stored number, in the grid's format.
    m_filling = true;
    const XyPoint& p = m_session.xy.points[static_cast<std::size_t>(row + 1)];
    item->setText(QString::fromStdString(formatSingle(column == kXyColumnX ? p.x : p.y, decimalSeparator())));
    m_filling = false;
    if (m_editMode && row + 1 == m_current) {
        showCurrentPoint();
    }
}

void frmManuInput::currentRowChanged(int row) {
    if (m_filling || row < 0 || row >= m_session.xy.count()) {
        return;
    }
    m_current = row + 1;
    if (m_editMode) {
        showCurrentPoint();
    }
}

std::optional<std::pair<int, int>> frmManuInput::selectedRows() const {
    const QList<QTableWidgetSelectionRange> ranges = m_grid->selectedRanges();
    if (ranges.isEmpty()) {
        return std::nullopt;
    }
    int first = ranges.front().topRow();
    int last = ranges.front().bottomRow();
    for (const QTableWidgetSelectionRange& r : ranges) {
        first = std::min(first, r.topRow());
        last = std::max(last, r.bottomRow());
    }
    return std::make_pair(first + 1, last + 1);
}

void frmManuInput::pasteText(const QString& text) {
    const int current = m_grid->currentRow();
    const int row = current >= 0 && m_session.xy.count() > 0 ? current + 1 : m_session.xy.count() + 1;
    const int column = std::max(kXyColumnX, m_grid->currentColumn());
    if (pasteXyBlock(m_session.xy, m_dialogs, row, column, text.toStdString()) > 0) {
        m_current = row;
        setEditMode(true);
        refreshTable();
        showCurrentPoint();
    }
}

void frmManuInput::eraseRows() {
    if (eraseXyRows(m_session.xy, m_dialogs, m_deleteAll->isChecked(), selectedRows())) {
        m_grid->clearSelection();
        afterListChange();
    }
}

void frmManuInput::eraseSelectedCells() {
    if (m_session.xy.count() == 0) {
        return;
    }
    for (const QModelIndex& index : m_grid->selectionModel()->selectedIndexes()) {
        setXyCell(m_session.xy, index.row() + 1, index.column(), 0.0f);
    }
    afterListChange();
}

void frmManuInput::toggleActive() {
    const int row = m_grid->currentRow() >= 0 ? m_grid->currentRow() + 1 : m_current;
    if (toggleXyActive(m_session.xy, m_dialogs, row)) {
        refreshTable();
        m_grid->setCurrentCell(row - 1, 1);
    }
}

void frmManuInput::executeFormula() {
    if (executeXyFormula(m_session, m_dialogs, m_formulas->checkedId(), m_w->text().toStdString())) {
        afterListChange();
    }
}

// --- Input fields ------------------------------------------------------------------------------------

void frmManuInput::setEditMode(bool edit) {
    m_editMode = edit && m_session.xy.count() > 0;
    (m_editMode ? m_edit : m_add)->setChecked(true);
    if (m_editMode) {
        showCurrentPoint();
    } else {
        m_x->clear();
        m_y->clear();
    }
    showCaption();
}

void frmManuInput::showCaption() {
    const int count = m_session.xy.count();
    m_inputFrame->setTitle(m_editMode
                               ? QStringLiteral("Editieren Punkt #%1 (von %2)").arg(m_current).arg(count)
                               : QStringLiteral("Hinzufügen von Punkt #%1").arg(count + 1));
}

void frmManuInput::showCurrentPoint() {
    if (m_current < 1 || m_current > m_session.xy.count()) {
        return;
    }
    const XyPoint& p = m_session.xy.points[static_cast<std::size_t>(m_current)];
    m_x->setText(QString::fromStdString(formatSingle(p.x, decimalSeparator())));
    m_y->setText(QString::fromStdString(formatSingle(p.y, decimalSeparator())));
    showCaption();
}

void frmManuInput::storeInput() {
    const std::optional<int> row = storeXyInput(m_session.xy, m_dialogs, m_editMode, m_current,
                                                m_x->text().toStdString(), m_y->text().toStdString());
    if (!row) {
        return;
    }
    refreshTable();
    m_grid->scrollToItem(m_grid->item(*row - 1, 1));
    if (m_editMode) {
        showCurrentPoint();
    } else {
        m_x->clear();
        m_y->clear();
        m_x->setFocus();
    }
}

bool frmManuInput::eventFilter(QObject* watched, QEvent* event) {
    // "+" in an input field stores the point, as the button's caption says.
    if ((watched == m_x || watched == m_y) && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->text() == QStringLiteral("+")) {
        storeInput();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// --- Files, printing, drawing ------------------------------------------------------------------------

void frmManuInput::loadFile() {
    if (!loadXyFile(m_session, m_dialogs)) {
        return;
    }
    m_comment->setText(QString::fromStdString(m_session.xy.comment));
    m_fileLabel->setText(QStringLiteral("geladen: ") +
                         QString::fromStdString(FileNameOnly(m_session.xy.xyFilePath)));
    m_current = 1;
    refreshTable();
    setEditMode(true);
}

void frmManuInput::saveFile() {
    saveXyFile(m_session, m_dialogs);
}

void frmManuInput::printList(QPrinter& printer) const {
    QPainter painter(&printer);
    painter.setFont(QFont(QStringLiteral("Courier New"), 10));
    const int lineHeight = painter.fontMetrics().lineSpacing();
    const QRect page = painter.viewport();
    int y = lineHeight;
    for (const std::string& line : xyPrintLines(m_session.xy, currentDateTime(), decimalSeparator())) {
        if (y > page.height() - lineHeight) {
            printer.newPage();
            y = lineHeight;
        }
        painter.drawText(0, y, QString::fromStdString(line));
        y += lineHeight;
    }
}

void frmManuInput::print() {
    if (m_session.xy.count() == 0) {
        m_dialogs.beep();
        return;
    }
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Liste drucken"));
    if (dialog.exec() == QDialog::Accepted) {
        printList(printer);
    }
}

void frmManuInput::draw() {
    if (!xyPointsToDraw(m_session.xy, m_dialogs) || !m_links.diagramWindow) {
        return;
    }
    QWidget* diagram = m_links.diagramWindow();
    if (diagram == nullptr) {
        return;
    }
    const char* name = m_asPoints->isChecked() ? "cmdManuPoints" : "cmdManuKurve";
    if (auto* handOver = diagram->findChild<QPushButton*>(QLatin1String(name))) {
        handOver->click();
    }
}

void frmManuInput::showContextMenu(const QPoint& pos) {
    QMenu* menu = m_links.contextMenu ? m_links.contextMenu() : nullptr;
    if (menu == nullptr) {
        return;
    }
    const bool hasPoints = m_session.xy.count() > 0;
    QAction* copy = menu->findChild<QAction*>(QStringLiteral("mnuEdit2Kopieren"));
    QAction* paste = menu->findChild<QAction*>(QStringLiteral("mnuEdit2Einfuegen"));
    QAction* erase = menu->findChild<QAction*>(QStringLiteral("mnuEdit2Loeschen"));
    if (copy == nullptr || paste == nullptr || erase == nullptr || erase->menu() == nullptr ||
        erase->menu()->actions().size() < 2) {
        return;
    }
    copy->setEnabled(hasPoints);
    paste->setEnabled(QApplication::clipboard()->mimeData() != nullptr &&
                      QApplication::clipboard()->mimeData()->hasText());
    erase->setEnabled(hasPoints);
    QAction* chosen = menu->exec(m_grid->viewport()->mapToGlobal(pos));
    if (chosen == copy) {
        findChild<QPushButton*>(QStringLiteral("cmdClipboard"))->click();
    } else if (chosen == paste) {
        findChild<QPushButton*>(QStringLiteral("cmdClipEinfuegen"))->click();
    } else if (chosen == erase->menu()->actions().at(0)) {
        eraseSelectedCells();
    } else if (chosen == erase->menu()->actions().at(1)) {
        // The item names the marked rows, whatever the removal choice of the window says.
        m_deleteMarked->setChecked(true);
        eraseRows();
    }
}

void frmManuInput::closeEvent(QCloseEvent* event) {
    if (!confirmCloseXyEditor(m_session, m_dialogs)) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace zemtral
