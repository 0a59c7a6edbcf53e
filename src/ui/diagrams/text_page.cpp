#include "ui/diagrams/text_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "session/diagram_document.h"
#include "ui/diagrams/graph2d_widgets.h"

namespace zemtral {

TextPage::TextPage(DiagramDocument& document, QWidget* parent) : QWidget(parent), m_document(document) {
    auto* v = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("  Kopftext  "), this);
    frame->setObjectName("fraSchrift");
    auto* g = new QGridLayout(frame);
    m_choice = new QComboBox(frame);
    m_choice->setObjectName("cmbSchriftWahl");
    m_choice->addItems({QStringLiteral("Kopftext"), QStringLiteral("Zusatz-Text"),
                        QStringLiteral("x-Achsenbeschriftung"), QStringLiteral("y-Achsenbeschriftung")});
    m_text = new QLineEdit(frame);
    m_text->setObjectName("schrift");
    m_framed = new QCheckBox(QStringLiteral("gerahmt"), frame);
    m_framed->setObjectName("chkTextFrame");
    auto* font = new QPushButton(QStringLiteral("Schriftart/-farbe"), frame);
    font->setObjectName("cmdFont");
    g->addWidget(m_choice, 0, 0, 1, 2);
    g->addWidget(m_text, 1, 0, 1, 2);
    g->addWidget(m_framed, 2, 0);
    g->addWidget(font, 2, 1);
    v->addWidget(frame);
    v->addStretch(1);
    connect(m_choice, &QComboBox::currentIndexChanged, this, [this] { showText(); });
    connect(m_text, &QLineEdit::editingFinished, this, [this] { applyText(); });
    connect(m_framed, &QCheckBox::toggled, this, [this] { applyText(); });
    connect(font, &QPushButton::clicked, this, [this] {
        if (m_choice->currentIndex() != 0) {
            return;
        }
        const ChartFont current = m_document.chart().headerFont();
        bool ok = false;
        const QFont chosen =
            QFontDialog::getFont(&ok, QFont(graph2d::q(current.family), int(current.pointSize)), this);
        if (ok) {
            m_document.setHeaderFont(graph2d::chartFontOf(chosen));
        }
    });
}

void TextPage::choose(int entry) {
    m_choice->setCurrentIndex(entry);
}

void TextPage::focusText() {
    m_text->setFocus();
}

void TextPage::showText() {
    m_updating = true;
    const DiagramTextValue value = m_document.text(static_cast<DiagramText>(m_choice->currentIndex()));
    m_text->setText(graph2d::q(value.text));
    if (value.framed) {
        m_framed->setChecked(*value.framed);
    }
    m_updating = false;
}

void TextPage::applyText() {
    if (!m_updating) {
        m_document.setText(static_cast<DiagramText>(m_choice->currentIndex()), m_text->text().toStdString(),
                           m_framed->isChecked());
    }
}

}  // namespace zemtral
