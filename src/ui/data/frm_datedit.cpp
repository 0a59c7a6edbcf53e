#include "ui/data/frm_datedit.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "core/numeric_key_filter.h"
#include "core/time_units.h"
#include "numeric/number_text.h"
#include "session/data_commands.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "session/window_host.h"
#include "ui/simulation/number_field.h"

namespace zemtral {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

/// An input field of the editor: "+" stores the point, everything else as in every number field.
class DataInputField : public NumberField {
  public:
    DataInputField(QWidget* parent, std::function<void()> store)
        : NumberField(parent), m_store(std::move(store)) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->text() == QStringLiteral("+") && m_store) {
            m_store();
            event->accept();
            return;
        }
        NumberField::keyPressEvent(event);
    }

  private:
    std::function<void()> m_store;
};

/// The cell editor of the grid: the number keys only, the decimal key typed as the locale writes
/// it (with a decimal comma a "." becomes ",", otherwise a "," becomes ".").
class CellEditor : public QLineEdit {
  public:
    CellEditor(QWidget* parent, QChar separator) : QLineEdit(parent), m_separator(separator) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        const QString text = event->text();
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || text.size() != 1 ||
            event->key() == Qt::Key_Escape || event->key() == Qt::Key_Tab ||
            event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Paste) ||
            event->matches(QKeySequence::SelectAll)) {
            QLineEdit::keyPressEvent(event);
            return;
        }
        int code = text.at(0).unicode();
        if (!NumericKeyFilter(code)) {
            event->accept();
            return;
        }
        if (code == '.') {
            QKeyEvent typed(event->type(), event->key(), event->modifiers(), QString(m_separator));
            QLineEdit::keyPressEvent(&typed);
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

  private:
    QChar m_separator;
};

class CellDelegate : public QStyledItemDelegate {
  public:
    CellDelegate(QObject* parent, QChar separator) : QStyledItemDelegate(parent), m_separator(separator) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        return new CellEditor(parent, m_separator);
    }

  private:
    QChar m_separator;
};

}  // namespace

/// The grid's view of the data set: one row per point, then one more row where a paste appends
/// (it shows "leere Liste" while the set is empty).
class DataGridModel : public QAbstractTableModel {
  public:
    DataGridModel(Session& session, QObject* parent) : QAbstractTableModel(parent), m_session(session) {}

    std::function<void(int index, int column, const QString& text)> onEdit;
    std::function<void(int index)> onToggle;
    char separator = '.';

    void reset() {
        beginResetModel();
        endResetModel();
    }
    void pointChanged(int index) {
        emit dataChanged(this->index(index - 1, 0), this->index(index - 1, kGridColumnCount - 1));
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : m_session.data.pointCount + 1;
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : kGridColumnCount;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
            return q(dataGridHeader(section, m_session.data.timeUnit));
        }
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (index.row() < m_session.data.pointCount) {
            if (index.column() == 1) {
                f |= Qt::ItemIsUserCheckable;
            } else if (index.column() >= kGridFirstValueColumn) {
                f |= Qt::ItemIsEditable;
            }
        }
        return f;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const int row = index.row();
        const int column = index.column();
        const ExpDataSet& set = m_session.data;
        if (role == Qt::BackgroundRole) {
            if (column == 2) {
                return QColor(240, 240, 240);
            }
            if (column == 8) {
                return QColor(220, 240, 220);
            }
            return {};
        }
        if (row >= set.pointCount) {
            if (role == Qt::DisplayRole && column == 2 && set.pointCount == 0) {
                return QStringLiteral("leere Liste");
            }
            if (role == Qt::DisplayRole && column == 0 && set.pointCount > 0) {
                return QStringLiteral("*");
            }
            return {};
        }
        const ExpPoint& point = set.points[static_cast<std::size_t>(row + 1)];
        if (role == Qt::CheckStateRole && column == 1) {
            return point.exclude != 0 ? Qt::Checked : Qt::Unchecked;
        }
        if (role == Qt::TextAlignmentRole && column >= kGridFirstValueColumn) {
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        }
        if (role == Qt::DisplayRole) {
            if (column == 0) {
                return row + 1;
            }
            if (column >= kGridFirstValueColumn) {
                return q(dataCellText(point, column, separator));
            }
        }
        if (role == Qt::EditRole && column >= kGridFirstValueColumn) {
            return q(dataCellText(point, column, separator));
        }
        return {};
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (index.row() >= m_session.data.pointCount) {
            return false;
        }
        if (role == Qt::CheckStateRole && index.column() == 1 && onToggle) {
            onToggle(index.row() + 1);
            return true;
        }
        if (role == Qt::EditRole && index.column() >= kGridFirstValueColumn && onEdit) {
            onEdit(index.row() + 1, index.column(), value.toString());
            return true;
        }
        return false;
    }

  private:
    Session& m_session;
};

frmDatedit::frmDatedit(Session& session, UserDialogs& dialogs, DataEditorLinks links, QWidget* parent)
    : QWidget(parent), m_session(session), m_dialogs(dialogs), m_links(std::move(links)) {
    setObjectName("frmDatedit");
    session.state.fittingMode = kFittingNone;

    buildGrid();
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(m_grid, 1);
    left->addWidget(buildInputFrame());
    layout->addLayout(left, 1);
    layout->addWidget(buildButtons());

    auto* undoKey = new QShortcut(QKeySequence::Undo, this);
    undoKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(undoKey, &QShortcut::activated, this, &frmDatedit::undo);

    m_comment->setText(q(session.data.dataComment));
    m_lambdaInf->setText(q(formatSingle(toSingle(session.data.lambdaInf), decimalSeparator())));
    setEditMode(session.data.pointCount > 0);
    refreshTable();
}

frmDatedit::~frmDatedit() = default;

QSize frmDatedit::sizeHint() const {
    return {1040, 620};
}

char frmDatedit::decimalSeparator() const {
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

void frmDatedit::buildGrid() {
    m_model = new DataGridModel(m_session, this);
    m_model->separator = decimalSeparator();
    m_model->onEdit = [this](int index, int column, const QString& text) { cellEdited(index, column, text); };
    m_model->onToggle = [this](int index) {
        m_current = index;
        toggleCurrent();
    };
    m_grid = new QTableView(this);
    m_grid->setObjectName("grdDaten");
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new CellDelegate(m_grid, QChar::fromLatin1(decimalSeparator())));
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(20);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QFont font(QStringLiteral("Courier New"), 9);
    font.setStyleHint(QFont::Monospace);
    m_grid->setFont(font);
    m_grid->setColumnWidth(0, 40);
    m_grid->setColumnWidth(1, 32);
    for (int column = kGridFirstValueColumn; column < kGridColumnCount; ++column) {
        m_grid->setColumnWidth(column, 80);
    }
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this, &frmDatedit::runContextMenu);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now) { currentRowChanged(now.row()); });
    m_grid->installEventFilter(this);
}

QWidget* frmDatedit::buildInputFrame() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);

    m_inputFrame = new QGroupBox(this);
    m_inputFrame->setObjectName("fraInput");
    auto* grid = new QGridLayout(m_inputFrame);
    m_timeLabel = new QLabel(m_inputFrame);
    m_timeLabel->setObjectName("lblZeit");
    grid->addWidget(m_timeLabel, 0, 0);
    const char* const concLabels[] = {" cA/(mol/l)  ", " cB/(mol/l)  ", " cC/(mol/l)  ", " cP/(mol/l)  ",
                                      " cQ/(mol/l)  "};
    for (int i = 0; i < 5; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf8(concLabels[i]), m_inputFrame), 0, i + 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("lambda (t)"), m_inputFrame), 0, 6);
    grid->addWidget(new QLabel(QStringLiteral("Temperatur/K     Geschw.-konst.  k"), m_inputFrame), 0, 7, 1,
                    2);
    for (int f = 0; f < kInputFieldCount; ++f) {
        auto* field = new DataInputField(m_inputFrame, [this] { storeInput(); });
        field->setObjectName(QStringLiteral("y_%1").arg(f));
        field->setMinimumWidth(64);
        field->setEnterHandler([this, f] {
            NumberField* next = m_fields[static_cast<std::size_t>((f + 1) % kInputFieldCount)];
            next->setFocus();
            next->selectAll();
        });
        m_fields[static_cast<std::size_t>(f)] = field;
        grid->addWidget(field, 1, f);
    }
    m_rowLabel = new QLabel(m_inputFrame);
    m_rowLabel->setObjectName("lblZeile");
    grid->addWidget(m_rowLabel, 2, 0);
    m_addOption = new QRadioButton(QStringLiteral("Zufügen"), m_inputFrame);
    m_addOption->setObjectName("optInputMode_0");
    m_editOption = new QRadioButton(QStringLiteral("Editieren"), m_inputFrame);
    m_editOption->setObjectName("optInputMode_1");
    auto* modes = new QButtonGroup(this);
    modes->addButton(m_addOption, 0);
    modes->addButton(m_editOption, 1);
    connect(modes, &QButtonGroup::idClicked, this, [this](int id) { setEditMode(id == 1); });
    grid->addWidget(m_addOption, 2, 1);
    grid->addWidget(m_editOption, 2, 2);
    auto* lambdaLabel = new QLabel(QStringLiteral("lambda (t ="), m_inputFrame);
    auto* infinity = new QLabel(QString(QChar(0x221E)) + QStringLiteral(")"), m_inputFrame);
    infinity->setObjectName("lblUnendlich");
    QFont big = infinity->font();
    big.setPointSize(12);
    infinity->setFont(big);
    auto* lambdaRow = new QHBoxLayout;
    lambdaRow->addWidget(lambdaLabel);
    lambdaRow->addWidget(infinity);
    lambdaRow->addStretch();
    grid->addLayout(lambdaRow, 2, 3, 1, 2, Qt::AlignRight);
    m_lambdaInf = new NumberField(m_inputFrame);
    m_lambdaInf->setObjectName("lambda_infin");
    m_lambdaInf->setEnterHandler([] {});
    connect(m_lambdaInf, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_session.data.lambdaInf = toSingle(parseNumber(QString(text).replace(',', '.').toStdString()));
        m_session.data.dataChanged = true;
    });
    grid->addWidget(m_lambdaInf, 2, 5);
    auto* store = new QPushButton(QStringLiteral("Daten in Liste übernehmen  <+>"), m_inputFrame);
    store->setObjectName("OKinput");
    connect(store, &QPushButton::clicked, this, &frmDatedit::storeInput);
    grid->addWidget(store, 2, 6, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("optionaler File-Kommentar"), m_inputFrame), 3, 0, 1, 2);
    m_comment = new QLineEdit(m_inputFrame);
    m_comment->setObjectName("txtComment");
    connect(m_comment, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_session.data.dataComment = text.toStdString();
        m_session.data.dataChanged = true;
    });
    grid->addWidget(m_comment, 3, 2, 1, 7);
    row->addWidget(m_inputFrame, 1);
    return box;
}

QWidget* frmDatedit::buildButtons() {
    auto* box = new QWidget(this);
    box->setFixedWidth(200);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    const auto button = [this, box, column](const char* name, const char* caption, auto slot,
                                            const char* tip = nullptr) {
        auto* b = new QPushButton(QString::fromUtf8(caption), box);
        b->setObjectName(QLatin1String(name));
        if (tip != nullptr) {
            b->setToolTip(QString::fromUtf8(tip));
        }
        connect(b, &QPushButton::clicked, this, slot);
        column->addWidget(b);
        return b;
    };
    button("cmdErase", "markierte Zeilen &entfernen", [this] { removeSelected(); });
    button(
        "cmdAus", "Zeile aktiv/inaktiv", [this] { toggleCurrent(); },
        "... schließt Zeile von Grafiik und Fitting aus ");
    button(
        "cmdClipEinfuegen", "Clipboard einfügen", [this] { pasteClipboard(); }, " ... oder <Strg><V> ");
    button("cmdEraseSelected", "markierte Zelle(n) => 0", [this] { eraseSelectedCells(); })->hide();
    button(
        "cmdClipboard", "Kopieren", [this] { copyGrid(); }, "...Datenexport zu MS-Excel | Origin ")
        ->hide();
    m_undoButton = button("cmdUndo", "Rückgängig  <Strg+Z>", [this] { undo(); });
    column->addSpacing(8);
    button("TSort", "&Zeit-Sortieren", [this] { sortBy(false); });
    button("TemperaturSort", "&Temperatur-Sortieren", [this] { sortBy(true); });
    column->addSpacing(8);
    button("cmdDraw_ct", "zeichne &c-t-Punkte", [this] { draw(false); });
    button("cmdDraw_Tk", "zeichne &k-T-Punkte", [this] { draw(true); });
    column->addSpacing(8);
    button(
        "cmdSave", "&Speichern unter *.ZD3", [this] { save(); },
        " Daten als systemeigenes ZD3-File speichern  ");
    button(
        "cmdAddFile", "&Addiere File *.ZD3", [this] { load(true); },
        " Daten aus einem anderen ZD3-File der Tabelle zufügen. Achten Sie auf gleiche Zeiteinheiten!  ");
    button("cmdLoadFile", "Neu-Laden *ZD3", [this] { load(false); });
    column->addSpacing(8);
    auto* units = new QGroupBox(QStringLiteral("Zeit-Einheit"), box);
    units->setObjectName("fraZeit");
    auto* unitLayout = new QGridLayout(units);
    auto* unitGroup = new QButtonGroup(this);
    for (int i = 0; i < kTimeUnitCount; ++i) {
        auto* option = new QRadioButton(q(std::string(timeUnitText(i))), units);
        option->setObjectName(QStringLiteral("optZeit_%1").arg(i));
        unitGroup->addButton(option, i);
        unitLayout->addWidget(option, i / 3, i % 3);
        m_unitOptions[static_cast<std::size_t>(i)] = option;
    }
    connect(unitGroup, &QButtonGroup::idClicked, this, &frmDatedit::timeUnitChosen);
    m_unitNote = new QLabel(QString::fromUtf8(kTimeUnitNote), units);
    m_unitNote->setObjectName("lblZeitHinweis");
    m_unitNote->setWordWrap(true);
    unitLayout->addWidget(m_unitNote, 2, 0, 1, 3);
    column->addWidget(units);
    column->addStretch();
    m_countLabel = new QLabel(box);
    m_countLabel->setObjectName("lblPunktzahl");
    column->addWidget(m_countLabel);
    button("OK", "OK", [this] { finish(); })->setDefault(false);
    button("cmdEsc", "Abbrechen <Esc>", [this] { closeSelf(); });
    return box;
}

void frmDatedit::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
            sub->move(1, 13);  // left 20, top 200 twips
        }
    }
}

void frmDatedit::refreshTable() {
    const ExpDataSet& set = m_session.data;
    m_updating = true;
    m_model->reset();
    m_updating = false;
    if (set.pointCount == 0 && m_editMode) {
        setEditMode(false);
    }
    m_current = std::clamp(m_current, 1, std::max(1, static_cast<int>(set.pointCount)));
    setWindowTitle(q(dataEditorTitle(set, m_appendedTitle)));
    m_timeLabel->setText(q("Zeit t/" + set.timeUnit));
    m_countLabel->setText(q(pointCountText(set.pointCount)));
    m_unitNote->setVisible(set.pointCount > 0);
    m_editOption->setEnabled(set.pointCount > 0);
    const int unit = timeUnitIndex(set.timeUnit);
    m_unitOptions[static_cast<std::size_t>(unit >= 0 ? unit : 0)]->setChecked(true);
    m_undoButton->setEnabled(!m_undo.empty());
    if (m_editMode) {
        m_inputFrame->setTitle(q(editModeCaption(m_current, set.pointCount)));
        showPointInFields(m_current);
    } else {
        m_inputFrame->setTitle(q(addModeCaption(set.pointCount)));
        m_rowLabel->setText(QStringLiteral("Zeile %1").arg(set.pointCount + 1));
    }
}

void frmDatedit::setEditMode(bool edit) {
    const ExpDataSet& set = m_session.data;
    m_editMode = edit && set.pointCount > 0;
    (m_editMode ? m_editOption : m_addOption)->setChecked(true);
    if (m_editMode) {
        m_current = std::clamp(m_current, 1, static_cast<int>(set.pointCount));
        m_inputFrame->setTitle(q(editModeCaption(m_current, set.pointCount)));
        showPointInFields(m_current);
    } else {
        clearFields();
        m_inputFrame->setTitle(q(addModeCaption(set.pointCount)));
        m_rowLabel->setText(QStringLiteral("Zeile %1").arg(set.pointCount + 1));
    }
}

void frmDatedit::showPointInFields(int index) {
    const ExpDataSet& set = m_session.data;
    if (index < 1 || index > set.pointCount) {
        return;
    }
    const ExpPoint& point = set.points[static_cast<std::size_t>(index)];
    for (int f = 0; f < kInputFieldCount; ++f) {
        m_fields[static_cast<std::size_t>(f)]->setText(
            q(dataCellText(point, f + kGridFirstValueColumn, decimalSeparator())));
    }
    m_rowLabel->setText(QStringLiteral("Zeile %1").arg(index));
}

void frmDatedit::clearFields() {
    for (NumberField* field : m_fields) {
        field->clear();
    }
}

void frmDatedit::changed(bool didChange) {
    if (!didChange) {
        m_undo.dropLast();
    }
    m_undoButton->setEnabled(!m_undo.empty());
}

void frmDatedit::storeInput() {
    std::array<std::string, kInputFieldCount> texts;
    for (std::size_t f = 0; f < texts.size(); ++f) {
        texts[f] = m_fields[f]->text().toStdString();
    }
    m_undo.record(m_session);
    const StoredPoint stored = storeInputPoint(m_session.data, texts, m_lambdaInf->text().toStdString(),
                                               m_editMode, m_current, m_firstNotePending);
    changed(stored.stored);
    if (!stored.stored) {
        m_dialogs.beep();
        return;
    }
    if (stored.showNote) {
        m_firstNotePending = false;
        m_dialogs.showMessage("einmaliger Hinweis", nonIsothermalNoteText(), MessageIcon::Information);
    }
    if (m_links.setEditDataEnabled) {
        m_links.setEditDataEnabled(true);
    }
    if (m_editMode) {
        m_model->pointChanged(stored.index);
        refreshTable();
    } else {
        refreshTable();
        setEditMode(false);  // the captions advance to the next new point
        m_fields[0]->setFocus();
    }
}

void frmDatedit::currentRowChanged(int row) {
    if (m_updating || row < 0 || row >= m_session.data.pointCount) {
        return;
    }
    m_current = row + 1;
    m_editMode = true;
    m_editOption->setChecked(true);
    showPointInFields(m_current);
    m_inputFrame->setTitle(q(rowModeCaption(m_current, m_session.data.pointCount)));
}

void frmDatedit::cellEdited(int index, int column, const QString& text) {
    m_undo.record(m_session);
    const std::string typed = text.toStdString();
    const bool stored = storeCellText(m_session.data, index, column, typed);
    changed(stored);
    if (!stored) {
        return;
    }
    m_current = index;
    m_fields[static_cast<std::size_t>(column - kGridFirstValueColumn)]->setText(text);
    m_model->pointChanged(index);
}

void frmDatedit::removeSelected() {
    std::optional<std::pair<int, int>> rows;
    const QModelIndexList selected = m_grid->selectionModel()->selectedIndexes();
    for (const QModelIndex& index : selected) {
        const int point = index.row() + 1;
        rows = rows ? std::pair{std::min(rows->first, point), std::max(rows->second, point)}
                    : std::pair{point, point};
    }
    m_undo.record(m_session);
    const bool removed = removeSelectedPoints(m_session.data, m_dialogs, rows);
    changed(removed);
    if (removed) {
        m_grid->clearSelection();
        refreshTable();
    }
}

void frmDatedit::toggleCurrent() {
    if (m_session.data.pointCount == 0) {
        m_dialogs.beep();
        return;
    }
    m_undo.record(m_session);
    const bool toggled = toggleExclude(m_session.data, m_current);
    changed(toggled);
    if (toggled) {
        m_model->pointChanged(m_current);
    }
}

void frmDatedit::eraseSelectedCells() {
    const QModelIndexList selected = m_grid->selectionModel()->selectedIndexes();
    m_undo.record(m_session);
    bool any = false;
    for (const QModelIndex& index : selected) {
        any = zeroSelectedCells(m_session.data, index.row() + 1, index.row() + 1, index.column(),
                                index.column()) ||
              any;
    }
    changed(any);
    if (any) {
        refreshTable();
    }
}

void frmDatedit::copyGrid() {
    m_dialogs.setClipboardText(dataGridClipboardText(m_session.data, decimalSeparator()));
}

void frmDatedit::pasteClipboard() {
    const QString text = QApplication::clipboard()->text();
    if (!text.isEmpty()) {
        pasteText(text.toStdString());
    }
}

void frmDatedit::pasteText(const std::string& text) {
    const QModelIndex at = m_grid->currentIndex();
    const int point = at.isValid() ? at.row() + 1 : m_session.data.pointCount + 1;
    const int column = at.isValid() ? at.column() : kGridFirstValueColumn;
    m_undo.record(m_session);
    const PasteOutcome outcome = pasteIntoDataSet(m_session.data, m_dialogs, text, point, column);
    changed(outcome.pasted);
    if (!outcome.pasted) {
        return;
    }
    if (m_links.setEditDataEnabled) {
        m_links.setEditDataEnabled(true);
    }
    m_current = outcome.firstPoint;
    m_editMode = true;
    refreshTable();
    setEditMode(true);
    m_grid->setCurrentIndex(m_model->index(outcome.firstPoint - 1, column));
}

void frmDatedit::sortBy(bool temperature) {
    m_undo.record(m_session);
    const bool sorted =
        temperature ? sortPointsByTemperature(m_session.data) : sortPointsByTime(m_session.data);
    changed(sorted);
    if (sorted) {
        refreshTable();
    }
}

void frmDatedit::timeUnitChosen(int index) {
    if (timeUnitIndex(m_session.data.timeUnit) == index) {
        return;
    }
    m_undo.record(m_session);
    changeDataTimeUnit(m_session, index);
    changed(true);
    m_model->headerDataChanged(Qt::Horizontal, 2, 2);
    refreshTable();
}

void frmDatedit::draw(bool kT) {
    if (m_links.windows != nullptr) {
        drawMeasuredPoints(m_session, m_dialogs, *m_links.windows, kT);
    }
}

void frmDatedit::save() {
    SaveDataFileAs(m_session, m_dialogs);
    refreshTable();
}

void frmDatedit::load(bool append) {
    ExpDataSet& set = m_session.data;
    // Replacing the set must not throw away changes the user has not saved.
    if (!append && set.dataChanged && set.pointCount > 0 && AskSaveChangedData(m_session, m_dialogs)) {
        return;
    }
    m_undo.record(m_session);
    const OpenDataResult result = OpenDataFileDialog(m_session, m_dialogs, append);
    changed(result.ok);
    if (!result.ok) {
        if (!result.cancelled && set.pointCount == 0 && m_links.setEditDataEnabled) {
            m_links.setEditDataEnabled(false);
        }
        return;
    }
    m_appendedTitle = append;
    SurveyDataSet(m_session);
    if (m_links.setEditDataEnabled) {
        m_links.setEditDataEnabled(set.pointCount > 0);
    }
    if (!append && m_links.dataLoaded) {
        m_links.dataLoaded();
    }
    m_comment->setText(q(set.dataComment));
    m_lambdaInf->setText(q(formatSingle(toSingle(set.lambdaInf), decimalSeparator())));
    m_current = 1;
    refreshTable();
    setEditMode(true);
}

void frmDatedit::finish() {
    if (finishDataEditor(m_session, m_dialogs) == FinishOutcome::Close) {
        closeSelf();
    }
}

void frmDatedit::closeSelf() {
    if (m_links.closeWindow) {
        m_links.closeWindow();
    } else {
        close();
    }
}

void frmDatedit::undo() {
    if (!m_undo.undo(m_session)) {
        m_dialogs.beep();
        return;
    }
    m_comment->setText(q(m_session.data.dataComment));
    refreshTable();
}

void frmDatedit::runContextMenu(const QPoint& at) {
    QMenu* menu = m_links.contextMenu ? m_links.contextMenu() : nullptr;
    if (menu == nullptr) {
        return;
    }
    const bool hasPoints = m_session.data.pointCount > 0;
    QAction* copy = menu->findChild<QAction*>(QStringLiteral("mnuEdit1Kopieren"));
    QAction* paste = menu->findChild<QAction*>(QStringLiteral("mnuEdit1Einfuegen"));
    QAction* erase = menu->findChild<QAction*>(QStringLiteral("mnuEdit1Loeschen"));
    if (copy != nullptr) {
        copy->setEnabled(hasPoints);
    }
    if (paste != nullptr) {
        paste->setEnabled(!QApplication::clipboard()->text().isEmpty());
    }
    if (erase != nullptr) {
        erase->setEnabled(hasPoints);
    }
    QAction* chosen = menu->exec(m_grid->viewport()->mapToGlobal(at));
    if (chosen == nullptr) {
        return;
    }
    const QString text = chosen->text();
    if (chosen == copy) {
        copyGrid();
    } else if (chosen == paste) {
        pasteClipboard();
    } else if (text.startsWith(QStringLiteral("markierte Zelle"))) {
        eraseSelectedCells();
    } else if (text.startsWith(QStringLiteral("markierte Zeile"))) {
        removeSelected();
    }
}

bool frmDatedit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) {
            pasteClipboard();
            return true;
        }
        if (key->matches(QKeySequence::Copy)) {
            copyGrid();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zemtral
