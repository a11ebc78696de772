#pragma once

#include <QString>
#include <QStringList>

namespace harvoline {

class FilePlaces;
class GameServices;

// The pictures of the cover rounds, named "Artist - Title" after their answers.
class CoverDeck {
  public:
    // A cover round needs the right cover and three others.
    static constexpr int MinimumCovers = 6;

    explicit CoverDeck(GameServices& services) : Services(services) {}

    // Lists the covers of the folder the places name; what the help page should say about
    // it, or nothing.
    QString Scan(const FilePlaces& places);
    const QString& Folder() const { return CoverFolder; }
    const QStringList& Names() const { return Covers; }
    void SetNames(const QStringList& names) { Covers = names; }
    int Size() const { return static_cast<int>(Covers.size()); }
    void RemoveAt(int position) { Covers.removeAt(position); }
    void Clear() { Covers.clear(); }

    // A position that is none of the excluded ones, or -1 with fewer than the minimum. The
    // last cover is never drawn.
    int Draw(int e1 = -1, int e2 = -1, int e3 = -1);

  private:
    GameServices& Services;
    QString CoverFolder;
    QStringList Covers;
};

} // namespace harvoline
