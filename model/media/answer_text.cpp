#include "model/media/answer_text.h"

namespace harvoline {

namespace {

const QString Separator = QStringLiteral(" - ");

QString JoinAt(const QString& name, qsizetype split) {
    return name.left(split) + Separator + name.mid(split + 1, 255);
}

} // namespace

QString AnswerFromFileName(const QString& name, QStringList& errorLog) {
    if (name.contains(Separator)) {
        return name;
    }
    errorLog << name + QStringLiteral(" --> Missing \" - \" in filename");
    QString answer = name;
    const qsizetype underscore = answer.indexOf(u'_');
    if (underscore >= 0) {
        answer[underscore] = u'-';
    }
    if (const qsizetype dash = answer.indexOf(u'-'); dash >= 0) {
        return JoinAt(answer, dash);
    }
    if (const qsizetype blank = answer.indexOf(u' '); blank >= 0) {
        return JoinAt(answer, blank);
    }
    // No hint where the parts meet: split a little before the middle.
    const qsizetype first = std::max<qsizetype>((answer.size() - 4) / 2 + 1, 0);
    return answer.left(first) + Separator + answer.mid(first);
}

QString TitleFirst(const QString& answer) {
    const qsizetype at = answer.indexOf(Separator);
    if (at < 0) {
        return answer;
    }
    return answer.mid(at + Separator.size()).left(999) + Separator + answer.left(at);
}

} // namespace harvoline
