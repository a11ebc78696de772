#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace harvoline {

// Takes entries out of a long list one at a time, keeping the order of the rest, each in
// logarithmic time: a removal only marks its entry, positions count the entries still
// in, and the list itself is rebuilt once, when this is done with it. Removing entries
// straight from a list of 100 000 shifts the rest each time.
class OrderedRemovals {
  public:
    explicit OrderedRemovals(QStringList& list) : List(list), Left(list.size()) {}
    ~OrderedRemovals() { Apply(); }
    OrderedRemovals(const OrderedRemovals&) = delete;
    OrderedRemovals& operator=(const OrderedRemovals&) = delete;

    qsizetype Size() const { return Left; }
    const QString& At(qsizetype position) const { return List[Index(position)]; }
    void RemoveAt(qsizetype position);
    // Takes the removed entries out of the list.
    void Apply();

  private:
    // Where the entry at the position lies in the list.
    qsizetype Index(qsizetype position) const;

    QStringList& List;
    qsizetype Left;
    // A Fenwick tree of the entries still in, made at the first removal.
    std::vector<qsizetype> Counts;
    std::vector<bool> Removed;
};

} // namespace harvoline
