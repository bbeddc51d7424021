#include "app/testtune/pick_test_widget.h"

#include <QPushButton>

namespace tw::app {

std::unique_ptr<DialogBox> buildPickTestWidget(QWidget* parent, testtune::CPickTestDlg& dialog) {
    using testtune::CPickTestDlg;
    auto box =
        std::make_unique<DialogBox>(parent, dialog, QString::fromUtf8(CPickTestDlg::kCaption));
    DialogBox* window = box.get();
    for (const auto& b : CPickTestDlg::kButtons) {
        const std::string code = std::to_string(static_cast<int>(b.choice));
        auto* button = new QPushButton(QString::fromUtf8(b.label), window);
        button->setObjectName(QString::fromStdString(code));
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, window,
                         [window, code] { window->pressNow(code); });
        window->body()->addWidget(button);
    }
    window->addButtons(QDialogButtonBox::Cancel);
    return box;
}

}  // namespace tw::app
