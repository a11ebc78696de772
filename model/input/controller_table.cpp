#include "model/input/controller_table.h"

namespace harvoline {

std::optional<QString> ButtonKey(std::span<const std::uint8_t> data) {
    if (data.size() < 5) {
        return std::nullopt;
    }
    return QStringLiteral("%1 %2 %3")
        .arg(uint{data[2]}, 2, 16, QChar(u'0'))
        .arg(uint{data[3]}, 2, 16, QChar(u'0'))
        .arg(uint{data[4]}, 2, 16, QChar(u'0'))
        .toUpper();
}

std::optional<int> RedKeySlot(const QString& key) {
    for (int slot = 0; slot < 4; ++slot) {
        if (key == ControllerTable[slot].RedKey) {
            return slot;
        }
    }
    return std::nullopt;
}

ControllerBinding BindingFor(int receiver, int slot) {
    const ControllerSlot& row = ControllerTable.at(slot);
    ControllerBinding binding;
    binding.Receiver = receiver;
    binding.BuzzKey = row.RedKey;
    for (int i = 0; i < 4; ++i) {
        binding.AnswerKeys[i] = row.AnswerKeys[i];
    }
    binding.LampReport = row.LampReport;
    return binding;
}

bool IsReceiverDescription(const QString& description) {
    QString upper = description;
    // ASCII letters only, so no other script's case rules change the text.
    for (QChar& c : upper) {
        if (c >= u'a' && c <= u'z') {
            c = QChar(c.unicode() - (u'a' - u'A'));
        }
    }
    return upper.contains(QLatin1String("BUZZ"));
}

} // namespace harvoline
