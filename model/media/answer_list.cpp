#include "model/media/answer_list.h"

#include <QCollator>
#include <algorithm>

namespace harvoline {

void AnswerChoices::Add(const QString& text) {
    for (const QString& item : Items) {
        if (item.compare(text, Qt::CaseInsensitive) == 0) {
            return;
        }
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const auto place = std::upper_bound(Items.begin(), Items.end(), text,
                                        [&](const QString& a, const QString& b) {
                                            return collator.compare(a, b) < 0;
                                        });
    Items.insert(place, text);
}

bool HasNoLetter(const QString& text) {
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    });
}

} // namespace harvoline
