#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/families/kvr/kvr_widgets.h"
#include "families/kvr/marten30_page.h"

namespace tw::app {

PageWidget* createMarten30PageWidget(kvr::CMarten30Page& page, QWidget* parent) {
    using P = kvr::CMarten30Page;
    auto* w = new PageWidget(page, parent);
    auto* layout = new QVBoxLayout(w);

    auto* info = new QGroupBox(QStringLiteral("Radio"), w);
    auto* grid = new QGridLayout(info);
    const std::pair<const char*, int> fields[] = {{"Radio Type:", P::kRadioType},
                                                  {"Band Split:", P::kBandSplit},
                                                  {"Country:", P::kCountry},
                                                  {"Serial No.:", P::kSerialNumber},
                                                  {"Radio Code:", P::kRadioCode}};
    int r = 0;
    for (const auto& [label, id] : fields) {
        grid->addWidget(new QLabel(QString::fromUtf8(label), info), r, 0);
        auto* value = new QLabel(info);
        value->setObjectName(QString::number(id));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(value, r, 1);
        ++r;
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(info);

    auto* buttons = new QGridLayout;
    const std::pair<int, bool (P::*)()> actions[] = {
        {P::kRadioStatusButton, &P::ReadTrackingFromRadio},
        {P::kSquelchButton, &P::EditSquelch},
        {P::kDeviationButton, &P::EditDeviation},
        {P::kPowerButton, &P::EditPower},
        {P::kCloningButton, &P::EditCloning},
        {P::kCountryButton, &P::EditCountry},
    };
    int i = 0;
    for (const auto& [id, op] : actions) {
        auto* b = new QPushButton(QString::fromStdString(page.controls().text(id)), w);
        b->setObjectName(QString::number(id));
        buttons->addWidget(b, i / 2, i % 2);
        ++i;
        auto member = op;
        // The edit windows write what the technician changed back to the radio.
        const RadioWork work = id == P::kRadioStatusButton ? RadioWork::Read : RadioWork::Write;
        QObject::connect(b, &QPushButton::clicked, w, [w, &page, member, work] {
            w->exchange([&page, member] { return (page.*member)(); }, work);
        });
    }
    buttons->setColumnStretch(2, 1);
    layout->addLayout(buttons);
    layout->addStretch();
    w->setFirstControl(P::kRadioStatusButton);
    w->pushToWidgets();
    return w;
}

}  // namespace tw::app
