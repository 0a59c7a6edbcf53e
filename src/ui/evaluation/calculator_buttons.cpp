#include "ui/evaluation/calculator_buttons.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QWidget>

namespace zemtral {

QHBoxLayout* calculatorButtons(QWidget* window, const QString& closeCaption,
                               std::function<void()> calculate) {
    auto* calc = new QPushButton(QStringLiteral("Berechnen"), window);
    calc->setObjectName("cmdCalc");
    calc->setDefault(true);
    auto* closeButton = new QPushButton(closeCaption, window);
    closeButton->setObjectName("cmdClose");
    QObject::connect(calc, &QPushButton::clicked, window, std::move(calculate));
    QObject::connect(closeButton, &QPushButton::clicked, window, [window] {
        if (auto* sub = window->parentWidget(); sub && sub->inherits("QMdiSubWindow")) {
            sub->close();
        } else {
            window->close();
        }
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(calc);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    return buttons;
}

}  // namespace zemtral
