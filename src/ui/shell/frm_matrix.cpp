#include "ui/shell/frm_matrix.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "session/model_commands.h"

namespace zemtral {

frmmatrix::frmmatrix(const Session& session, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmmatrix"));
    setWindowTitle(QString::fromUtf8(kMatrixWindowTitle));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QString::fromUtf8(matrixText(session).c_str()), this);
    text->setObjectName(QStringLiteral("lblMatrix"));
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text);
    auto* close = new QPushButton(QString::fromUtf8("Schließen <Esc>"), this);
    close->setObjectName(QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] { QWidget::close(); });
    layout->addWidget(close);
    resize(248, 284);  // 3720 x 4260 twips
}

}  // namespace zemtral
