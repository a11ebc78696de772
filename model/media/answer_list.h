#pragma once

#include <QStringList>

namespace harvoline {

// The answer choices of a round: kept sorted ignoring case, in the user's locale; a text
// equal to one already held, ignoring case, is not added again.
class AnswerChoices {
  public:
    void Add(const QString& text);
    void Clear() { Items.clear(); }
    int Count() const { return static_cast<int>(Items.size()); }
    const QString& At(int index) const { return Items[index]; }
    const QStringList& All() const { return Items; }

  private:
    QStringList Items;
};

// True when the text holds none of the ASCII letters A-Z and a-z.
bool HasNoLetter(const QString& text);

} // namespace harvoline
