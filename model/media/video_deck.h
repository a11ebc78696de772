#pragma once

#include <QString>
#include <QStringList>

namespace harvoline {

class FilePlaces;
class GameServices;

// The music videos of the video rounds, named "Artist - Title" after their answers.
class VideoDeck {
  public:
    explicit VideoDeck(GameServices& services) : Services(services) {}

    // Looks for the video player and lists the videos; what the help page should say.
    QString Detect(const FilePlaces& places);
    bool PlayerFound() const { return VlcFound; }
    // The player is there and so are videos.
    bool Available() const { return VideosAvailable; }
    const QString& Folder() const { return VideoFolder; }
    const QStringList& Names() const { return Videos; }
    void SetNames(const QStringList& names) { Videos = names; }
    void RemoveAt(int position) { Videos.removeAt(position); }
    void Clear() { Videos.clear(); }
    int Size() const { return static_cast<int>(Videos.size()); }

    // A position, or -1 when there is no video.
    int Draw();

  private:
    GameServices& Services;
    bool VlcFound = false;
    bool VideosAvailable = false;
    QString VideoFolder;
    QStringList Videos;
};

} // namespace harvoline
