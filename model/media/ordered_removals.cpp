#include "model/media/ordered_removals.h"

#include <bit>

namespace harvoline {

qsizetype OrderedRemovals::Index(qsizetype position) const {
    if (Counts.empty()) {
        return position;
    }
    // The smallest index with position + 1 entries in up to it.
    qsizetype index = 0;
    qsizetype before = position;
    const auto size = static_cast<qsizetype>(Counts.size()) - 1;
    for (qsizetype step = std::bit_floor(static_cast<std::size_t>(size)); step > 0; step /= 2) {
        if (index + step <= size && Counts[index + step] <= before) {
            index += step;
            before -= Counts[index];
        }
    }
    return index;
}

void OrderedRemovals::RemoveAt(qsizetype position) {
    if (Counts.empty()) {
        const qsizetype size = List.size();
        Counts.assign(size + 1, 0);
        Removed.assign(size, false);
        for (qsizetype i = 1; i <= size; ++i) {
            Counts[i] += 1;
            const qsizetype parent = i + (i & -i);
            if (parent <= size) {
                Counts[parent] += Counts[i];
            }
        }
    }
    const qsizetype index = Index(position);
    Removed[index] = true;
    --Left;
    for (auto i = static_cast<std::size_t>(index) + 1; i < Counts.size(); i += i & (~i + 1)) {
        --Counts[i];
    }
}

void OrderedRemovals::Apply() {
    if (Counts.empty()) {
        return;
    }
    QStringList kept;
    kept.reserve(Left);
    for (qsizetype i = 0; i < List.size(); ++i) {
        if (!Removed[i]) {
            kept.append(List[i]);
        }
    }
    List = std::move(kept);
    Counts.clear();
    Removed.clear();
}

} // namespace harvoline
