#pragma once
// Small widget helpers shared by the pages of the diagram window.
#include <QButtonGroup>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QString>
#include <string>

#include "diagrams/chart_component.h"

namespace zemtral::graph2d {

inline QString q(const std::string& s) {
    return QString::fromStdString(s);
}

inline ChartColour fromQColor(const QColor& c) {
    return ChartColour{static_cast<std::uint32_t>(c.rgb() & 0xFFFFFFu)};
}

inline QColor toQColor(ChartColour c) {
    return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | c.rgb));
}

inline ChartFont chartFontOf(const QFont& font) {
    return ChartFont{font.family().toStdString(), static_cast<float>(font.pointSizeF()), font.bold(),
                     font.italic(), font.underline()};
}

/// Selects the list entry whose code is `code`; an unknown code leaves the selection.
inline void selectEntryWithCode(QComboBox* box, int code) {
    const int index = box->findData(code);
    if (index >= 0) {
        box->setCurrentIndex(index);
    }
}

/// A page of the tab widget that scrolls when the window is too low for it; never sideways, the
/// pages are laid out for the width of the tab widget.
inline QScrollArea* scrollable(QWidget* page) {
    auto* scroll = new QScrollArea;
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return scroll;
}

inline QRadioButton* radio(const QString& text, const QString& name, QButtonGroup* group, int id,
                           QWidget* parent) {
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(name);
    group->addButton(button, id);
    return button;
}

inline QLineEdit* field(const QString& name, QWidget* parent, int width = 80) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaximumWidth(width + 40);
    edit->setMinimumWidth(width);
    return edit;
}

/// Checks the button `id` of a group without signalling a click.
inline void checkButton(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id)) {
        button->setChecked(true);
    }
}

}  // namespace zemtral::graph2d
