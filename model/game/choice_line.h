#pragma once

#include <QString>

namespace harvoline {

// How an answer line is shown: as a choice, as the right answer someone gave, or as the
// right answer the round revealed once everybody was locked out.
enum class LineMark { Choice, Right, Revealed };

// One of the four lines of the answer board and its choice button.
struct ChoiceLine {
    QString Text;
    // What stays readable in grey once the line itself is emptied by a wrong answer.
    QString Shadow;
    LineMark Mark = LineMark::Choice;
    // The choice can still be picked: not chosen wrong, and not left out.
    bool Open = true;
};

} // namespace harvoline
