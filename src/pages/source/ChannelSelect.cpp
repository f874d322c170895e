#include "pages/source/ChannelSelect.h"

#include "fields/FieldEnv.h"
#include "model/SettingsModel.h"
#include "pages/PageContext.h"
#include "pages/Wall.h"

#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>

namespace tess {

ChannelSelect::ChannelSelect(const char *name, QWidget *parent) : QGroupBox(QStringLiteral("Channel Select"), parent)
{
    setObjectName(QLatin1String(name));
    auto *row = new QHBoxLayout(this);
    for (int c = 1; c <= MaxChannels; ++c) {
        auto *item = new QRadioButton(QString::number(c), this);
        item->setObjectName(QStringLiteral("%1Item%2").arg(QLatin1String(name)).arg(c));
        items_[std::size_t(c - 1)] = item;
        row->addWidget(item);
        // Only a user's click picks a channel; select() sets the buttons
        // quietly.
        connect(item, &QRadioButton::clicked, this, [this, c] {
            if (c == selected_)
                return;
            selected_ = c;
            emit clicked(c);
        });
    }
    row->addStretch();
    items_[0]->setChecked(true);
}

void ChannelSelect::select(int c)
{
    c = std::clamp(c, 1, MaxChannels);
    selected_ = c;
    const QSignalBlocker quiet(items_[std::size_t(c - 1)]);
    items_[std::size_t(c - 1)]->setChecked(true);
}

void ChannelSelect::setCount(int n)
{
    count_ = std::clamp(n, 1, MaxChannels);
    for (int c = 1; c <= MaxChannels; ++c)
        items_[std::size_t(c - 1)]->setVisible(c <= count_);
}

void runForChannels(PageContext &context, const ChannelSelect &channels, bool all,
                    const std::function<void(int unit, int input)> &action)
{
    const HandlerBusyScope busy(context.state);
    if (!busy || context.state.SuppressSend || !context.deviceConnected())
        return;
    if (!all) {
        action(channels.unit(), channels.input());
        return;
    }
    const int units = context.wall.lastUnit();
    for (int u = 1; u <= units; ++u) {
        for (int input = 1; input <= SettingsModel::ScreensPerUnit; ++input)
            action(u, input);
    }
}

}  // namespace tess

#include "moc_ChannelSelect.cpp"
