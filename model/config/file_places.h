#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace harvoline {

// Where the game keeps its own files and finds the ones it ships.
//
// Run from a folder of its own (the build folder, an unpacked copy of it), everything lies
// beside the executable. Installed, the executable sits in a bin/ folder whose sibling
// share/harvoline/ holds the shipped data; the settings and the error list then go to the
// user's configuration folder, and covers, videos and language files are looked for in the
// user's data folder before the shipped one. The layout decides, not write permission,
// which root has everywhere.
class FilePlaces {
  public:
    // The places around the executable's folder, which ends with a separator; the
    // environment names the user's folders (XDG_CONFIG_HOME, XDG_DATA_HOME, HOME).
    FilePlaces(const QString& executableFolder, const QProcessEnvironment& environment);

    bool Installed() const { return !UserData.isEmpty(); }
    // Where Harvoline.ini and errors.txt are kept; ends with a separator.
    const QString& OwnFolder() const { return Own; }
    // Makes the own folder of an installation, which a new user has not got yet; writing
    // into it tells when that failed.
    void MakeOwnFolder() const;
    // Where the shipped data lies (the demo songs among it); ends with a separator.
    const QString& ShippedFolder() const { return Shipped; }
    // The folders that may hold a kind of data ("cover", "video", "languages"), the
    // user's own first; each ends with a separator.
    QStringList DataFolders(const QString& kind) const;
    // The first of them that holds a file, so the user's own folder takes over once it
    // has something in it; the first of them when none does.
    QString DataFolder(const QString& kind) const;
    // The first file of that name among them; empty when there is none.
    QString DataFile(const QString& kind, const QString& fileName) const;

  private:
    QString Own;
    QString Shipped;
    QString UserData;
};

// The places of the running program, in its own environment.
FilePlaces ProgramFilePlaces(const QString& executableFolder);

} // namespace harvoline
