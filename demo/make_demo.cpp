// Makes the demo content beside the program from demo/songs.txt:
//   harvoline-make-demo SONGS OUTDIR FFMPEG   writes OUTDIR/demo, OUTDIR/cover and OUTDIR/video
//   harvoline-make-demo --check SONGS OUTDIR  reads them back and tells what is wrong
#include "demo/artwork.h"
#include "demo/synth.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <cmath>
#include <functional>
#include <future>
#include <map>
#include <set>
#include <stdexcept>
#include <taglib/attachedpictureframe.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

namespace harvoline::demo {
namespace {

constexpr double SongSeconds = 45;
constexpr double VideoSeconds = 15;
constexpr int CoverSide = 500;
constexpr int VideoWidth = 480, VideoHeight = 270, VideoRate = 25;
constexpr qint64 VideoLimit = 2 * 1024 * 1024;

struct Failure : std::runtime_error {
    explicit Failure(const QString& message) : std::runtime_error(message.toStdString()) {}
};

struct Entry {
    QString kind; // song, missing or video
    QString file;
    QString artist;
    QString title;
    QString album;
    int year = 0;
    Tune tune;
    bool embeddedCover = true;
    bool coverFile = false;
    QString v1Title;
    QString v1Artist;
    int index = 0;       // among all entries
    int coverNumber = 0; // among those with a cover file

    QString Name() const { return artist + " - " + title; }
    // Each design in turn, in colours that differ between two turns.
    Artwork Art() const {
        const double hue =
            std::fmod(index % StyleCount * 0.618034 + index / StyleCount * 0.33, 1.0);
        return {title, artist, index % StyleCount, hue, tune.seed};
    }
    // The picture in cover/: the designs in turn again, in the opposite colours.
    Artwork OtherArt() const {
        Artwork art = Art();
        art.style = (coverNumber + 4) % StyleCount;
        art.hue = std::fmod(art.hue + 0.5, 1.0);
        ++art.seed;
        return art;
    }
};

// FNV-1a: the same seed on every run, unlike qHash.
quint32 Seed(const QString& text) {
    quint32 hash = 2166136261u;
    for (char c : text.toUtf8()) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash;
}

int Number(const QString& text, int low, int high, const QString& where) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high) {
        throw Failure(where + ": \"" + text + "\" is not a number from " + QString::number(low) +
                      " to " + QString::number(high));
    }
    return value;
}

template <typename Value>
Value Lookup(const std::map<QString, Value>& names, const QString& name, const QString& where) {
    const auto found = names.find(name);
    if (found == names.end()) {
        throw Failure(where + ": unknown \"" + name + "\"");
    }
    return found->second;
}

Entry ParseLine(const QString& line, const QString& where) {
    static const std::map<QString, int> Keys = {
        {"C", 0},  {"C#", 1}, {"Db", 1}, {"D", 2},  {"Eb", 3}, {"E", 4},   {"F", 5},
        {"F#", 6}, {"Gb", 6}, {"G", 7},  {"Ab", 8}, {"A", 9},  {"Bb", 10}, {"B", 11}};
    static const std::map<QString, std::vector<int>> Scales = {
        {"major", {0, 2, 4, 5, 7, 9, 11}},  {"minor", {0, 2, 3, 5, 7, 8, 10}},
        {"dorian", {0, 2, 3, 5, 7, 9, 10}}, {"mixolydian", {0, 2, 4, 5, 7, 9, 10}},
        {"lydian", {0, 2, 4, 6, 7, 9, 11}}, {"harmonic", {0, 2, 3, 5, 7, 8, 11}}};
    static const std::map<QString, Lead> Leads = {
        {"Bell", Lead::Bell},   {"EPiano", Lead::EPiano}, {"Organ", Lead::Organ},
        {"Flute", Lead::Flute}, {"Chip", Lead::Chip},     {"Marimba", Lead::Marimba},
        {"Pluck", Lead::Pluck}, {"Saw", Lead::Saw}};

    QStringList fields = line.split('|');
    for (QString& field : fields) {
        field = field.trimmed();
    }
    if (fields.size() != 14) {
        throw Failure(where + ": expected 14 fields separated by |");
    }
    Entry entry;
    entry.kind = fields[0];
    if (entry.kind != "song" && entry.kind != "missing" && entry.kind != "video") {
        throw Failure(where + ": unknown kind \"" + entry.kind + "\"");
    }
    entry.file = fields[1];
    entry.artist = fields[2];
    entry.title = fields[3];
    entry.album = fields[4];
    entry.year = Number(fields[5], 1900, 2100, where);
    entry.tune.bpm = Number(fields[6], 40, 220, where);
    entry.tune.beatsPerBar = Number(fields[7], 3, 4, where);
    const int key = Lookup(Keys, fields[8], where);
    entry.tune.root = 60 + key - (key > 6 ? 12 : 0);
    entry.tune.scale = Lookup(Scales, fields[9], where);
    for (QChar c : fields[10]) {
        entry.tune.chords.push_back(Number(QString(c), 1, 7, where) - 1);
    }
    if (entry.tune.chords.empty() || entry.tune.chords.size() % 2 != 0) {
        throw Failure(where + ": the chords must be an even count");
    }
    entry.tune.lead = Lookup(Leads, fields[11], where);
    entry.tune.drums = Number(fields[12], 0, 2, where);
    entry.tune.seed = Seed(entry.title);
    for (const QString& option : fields[13].split(',', Qt::SkipEmptyParts)) {
        const QString name = option.trimmed();
        if (name == "nocover") {
            entry.embeddedCover = false;
        } else if (name == "coverfile") {
            entry.coverFile = true;
        } else if (name.startsWith("v1title=")) {
            entry.v1Title = name.mid(8);
        } else if (name.startsWith("v1artist=")) {
            entry.v1Artist = name.mid(9);
        } else {
            throw Failure(where + ": unknown option \"" + name + "\"");
        }
    }
    return entry;
}

// The entries in order; every artist and title has letters and differs from the others
// ignoring case, as the game tells songs apart by them.
std::vector<Entry> Parse(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        throw Failure("cannot read " + path);
    }
    std::vector<Entry> entries;
    std::set<QString> artists, titles;
    int covers = 0;
    QTextStream in(&file);
    for (int number = 1; !in.atEnd(); ++number) {
        const QString line = in.readLine();
        if (line.trimmed().isEmpty() || line.startsWith('#')) {
            continue;
        }
        const QString where = path + ":" + QString::number(number);
        Entry entry = ParseLine(line, where);
        for (const QString& name : {entry.artist, entry.title}) {
            if (!name.contains(QRegularExpression("\\p{L}"))) {
                throw Failure(where + ": \"" + name + "\" has no letter");
            }
        }
        if (!artists.insert(entry.artist.toCaseFolded()).second ||
            !titles.insert(entry.title.toCaseFolded()).second) {
            throw Failure(where + ": the artist or title is already taken");
        }
        entry.index = static_cast<int>(entries.size());
        entry.coverNumber = entry.coverFile ? covers++ : 0;
        entries.push_back(entry);
    }
    return entries;
}

QImage Picture(const Artwork& art, QSize size, double time) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    Paint(painter, size, art, time);
    return image;
}

QByteArray Jpeg(const Artwork& art) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Picture(art, QSize(CoverSide, CoverSide), 0).save(&buffer, "JPG", 88);
    return bytes;
}

void Save(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw Failure("cannot write " + path);
    }
}

QByteArray Bytes(const std::vector<std::int16_t>& samples) {
    return QByteArray(reinterpret_cast<const char*>(samples.data()),
                      static_cast<qsizetype>(samples.size() * sizeof(std::int16_t)));
}

// Runs ffmpeg on the arguments; feed writes what it reads from its standard input.
void Ffmpeg(const QString& program, const QStringList& arguments,
            const std::function<void(QProcess&)>& feed) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program,
                  QStringList{"-hide_banner", "-loglevel", "error", "-nostdin", "-y"} + arguments);
    if (!process.waitForStarted()) {
        throw Failure("cannot start " + program);
    }
    feed(process);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        throw Failure("ffmpeg failed on " + arguments.last());
    }
}

void Send(QProcess& process, const QByteArray& bytes) {
    process.write(bytes);
    while (process.bytesToWrite() > 0) {
        if (!process.waitForBytesWritten(-1)) {
            throw Failure("ffmpeg stopped reading");
        }
    }
}

TagLib::String Text(const QString& text) {
    return TagLib::String(text.toStdString(), TagLib::String::UTF8);
}

void MakeSong(const Entry& entry, const std::vector<std::int16_t>& samples, const QString& path,
              const QString& ffmpeg) {
    const QByteArray pcm = Bytes(samples);
    // The game's tags only: no ID3 tag of ffmpeg's own.
    Ffmpeg(ffmpeg,
           {"-f",
            "s16le",
            "-ar",
            QString::number(SampleRate),
            "-ac",
            "1",
            "-i",
            "pipe:0",
            "-c:a",
            "libmp3lame",
            "-b:a",
            "64k",
            "-id3v2_version",
            "0",
            "-write_id3v1",
            "0",
            "-fflags",
            "+bitexact",
            "-flags:a",
            "+bitexact",
            path},
           [&](QProcess& process) { Send(process, pcm); });

    TagLib::MPEG::File file(QFile::encodeName(path).constData());
    TagLib::ID3v2::Tag* v2 = file.ID3v2Tag(true);
    TagLib::ID3v1::Tag* v1 = file.ID3v1Tag(true);
    for (TagLib::Tag* tag : {static_cast<TagLib::Tag*>(v2), static_cast<TagLib::Tag*>(v1)}) {
        tag->setTitle(Text(entry.title));
        tag->setArtist(Text(entry.artist));
        tag->setAlbum(Text(entry.album));
        tag->setYear(static_cast<unsigned>(entry.year));
    }
    if (!entry.v1Title.isEmpty()) {
        v1->setTitle(Text(entry.v1Title));
    }
    if (!entry.v1Artist.isEmpty()) {
        v1->setArtist(Text(entry.v1Artist));
    }
    if (entry.embeddedCover) {
        const QByteArray jpeg = Jpeg(entry.Art());
        auto* picture = new TagLib::ID3v2::AttachedPictureFrame;
        picture->setMimeType("image/jpeg");
        picture->setType(TagLib::ID3v2::AttachedPictureFrame::FrontCover);
        picture->setDescription("Front cover");
        picture->setPicture(
            TagLib::ByteVector(jpeg.constData(), static_cast<unsigned>(jpeg.size())));
        v2->addFrame(picture);
    }
    if (!file.save(TagLib::MPEG::File::ID3v1 | TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers,
                   TagLib::ID3v2::v4, TagLib::File::DoNotDuplicate)) {
        throw Failure("cannot tag " + path);
    }
}

void MakeVideo(const Entry& entry, const QString& path, const QString& ffmpeg) {
    const std::vector<std::int16_t> samples = Render(entry.tune, VideoSeconds);
    QTemporaryDir temporary;
    const QString audio = temporary.filePath("audio.raw");
    Save(audio, Bytes(samples));
    const double seconds = static_cast<double>(samples.size()) / SampleRate;
    const QString size = QString("%1x%2").arg(VideoWidth).arg(VideoHeight);
    Ffmpeg(ffmpeg,
           {"-f",
            "rawvideo",
            "-pix_fmt",
            "bgr0",
            "-s",
            size,
            "-r",
            QString::number(VideoRate),
            "-i",
            "pipe:0",
            "-f",
            "s16le",
            "-ar",
            QString::number(SampleRate),
            "-ac",
            "1",
            "-i",
            audio,
            "-c:v",
            "libx264",
            "-preset",
            "veryfast",
            "-crf",
            "26",
            "-maxrate",
            "700k",
            "-bufsize",
            "1400k",
            "-pix_fmt",
            "yuv420p",
            "-c:a",
            "aac",
            "-b:a",
            "64k",
            "-shortest",
            "-movflags",
            "+faststart",
            "-metadata",
            "title=" + entry.title,
            "-metadata",
            "artist=" + entry.artist,
            "-fflags",
            "+bitexact",
            "-flags",
            "+bitexact",
            path},
           [&](QProcess& process) {
               const int frames = static_cast<int>(std::ceil(seconds * VideoRate));
               for (int i = 0; i < frames; ++i) {
                   const QImage frame =
                       Picture(entry.Art(), QSize(VideoWidth, VideoHeight), double(i) / VideoRate);
                   Send(process, QByteArray(reinterpret_cast<const char*>(frame.constBits()),
                                            frame.sizeInBytes()));
               }
           });
}

QString Playlist(const std::vector<Entry>& entries) {
    QString text = "#EXTM3U\r\n";
    for (const Entry& entry : entries) {
        if (entry.kind != "video") {
            const long seconds = std::lround(Length(entry.tune, SongSeconds));
            text += QString("#EXTINF:%1,%2\r\n%3\r\n").arg(seconds).arg(entry.Name(), entry.file);
        }
    }
    return text;
}

void Make(const std::vector<Entry>& entries, const QDir& out, const QString& ffmpeg) {
    for (const char* folder : {"demo", "cover", "video"}) {
        if (!out.mkpath(folder)) {
            throw Failure("cannot make " + out.filePath(folder));
        }
    }
    // Synthesized on every core while the songs are encoded one after the other.
    std::map<int, std::future<std::vector<std::int16_t>>> songs;
    for (const Entry& entry : entries) {
        if (entry.kind == "song") {
            songs[entry.index] = std::async(std::launch::async, Render, entry.tune, SongSeconds);
        }
    }
    for (const Entry& entry : entries) {
        if (entry.kind == "song") {
            MakeSong(entry, songs[entry.index].get(), out.filePath("demo/" + entry.file), ffmpeg);
        } else if (entry.kind == "video") {
            MakeVideo(entry, out.filePath("video/" + entry.Name() + ".mp4"), ffmpeg);
        }
        if (entry.coverFile) {
            Save(out.filePath("cover/" + entry.Name() + ".jpg"), Jpeg(entry.OtherArt()));
        }
    }
    Save(out.filePath("cover/Mystery.jpg"), Jpeg({"Mystery", "", 5, 0.75, 7}));
    // Last, as the build takes the playlist for the sign that everything is made.
    Save(out.filePath("demo/Demo.m3u"), Playlist(entries).toUtf8());
}

// Reads everything back as the game will and returns the faults found.
QStringList Check(const std::vector<Entry>& entries, const QDir& out) {
    QStringList faults;
    const auto expect = [&faults](bool ok, const QString& fault) {
        if (!ok) {
            faults << fault;
        }
    };
    QFile list(out.filePath("demo/Demo.m3u"));
    expect(list.open(QIODevice::ReadOnly), "no demo/Demo.m3u");
    const QStringList lines = QString::fromUtf8(list.readAll()).split("\r\n", Qt::SkipEmptyParts);
    expect(lines.value(0) == "#EXTM3U", "the playlist lacks its #EXTM3U header");
    std::map<QString, int> listed; // file name to seconds
    for (int i = 1; i + 1 < lines.size(); i += 2) {
        const QString info = lines[i].section(':', 1).section(',', 0, 0);
        listed[lines[i + 1]] = info.toInt();
    }
    int songs = 0;
    for (const Entry& entry : entries) {
        const QString path = out.filePath("demo/" + entry.file);
        if (entry.kind == "video") {
            const QFileInfo video(out.filePath("video/" + entry.Name() + ".mp4"));
            expect(video.size() > 0 && video.size() <= VideoLimit,
                   video.fileName() + " is missing or too big");
            continue;
        }
        expect(listed.count(entry.file) == 1, entry.file + " is not in the playlist");
        if (entry.kind == "missing") {
            expect(!QFile::exists(path), entry.file + " should be missing");
            continue;
        }
        ++songs;
        TagLib::MPEG::File file(QFile::encodeName(path).constData());
        if (!file.isValid() || !file.hasID3v1Tag() || !file.hasID3v2Tag()) {
            faults << entry.file + " is missing or lacks an ID3v1 or ID3v2 tag";
            continue;
        }
        const TagLib::Tag* v2 = file.ID3v2Tag();
        const TagLib::Tag* v1 = file.ID3v1Tag();
        const QString v1Title = entry.v1Title.isEmpty() ? entry.title : entry.v1Title;
        const QString v1Artist = entry.v1Artist.isEmpty() ? entry.artist : entry.v1Artist;
        expect(v2->title() == Text(entry.title) && v2->artist() == Text(entry.artist) &&
                   v2->album() == Text(entry.album) && v2->year() == unsigned(entry.year),
               entry.file + ": wrong ID3v2 tag");
        expect(v1->title() == Text(v1Title) && v1->artist() == Text(v1Artist) &&
                   v1->year() == unsigned(entry.year),
               entry.file + ": wrong ID3v1 tag");
        const TagLib::ID3v2::FrameList pictures = file.ID3v2Tag()->frameList("APIC");
        bool cover = false;
        for (const TagLib::ID3v2::Frame* frame : pictures) {
            const auto* picture = static_cast<const TagLib::ID3v2::AttachedPictureFrame*>(frame);
            cover =
                cover ||
                (picture->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover &&
                 picture->mimeType() == "image/jpeg" &&
                 !QImage::fromData(QByteArray(picture->picture().data(), picture->picture().size()))
                      .isNull());
        }
        expect(cover == entry.embeddedCover, entry.file + ": the embedded cover is not as listed");
        const int seconds = file.audioProperties()->lengthInSeconds();
        expect(seconds >= SongSeconds && std::abs(seconds - listed[entry.file]) <= 1,
               entry.file + " lasts " + QString::number(seconds) + " s, not as the playlist says");
    }
    expect(songs >= 16, "fewer than 16 songs");
    for (const Entry& entry : entries) {
        if (entry.coverFile) {
            expect(!QImage(out.filePath("cover/" + entry.Name() + ".jpg")).isNull(),
                   "no cover/" + entry.Name() + ".jpg");
        }
    }
    expect(!QImage(out.filePath("cover/Mystery.jpg")).isNull(), "no cover/Mystery.jpg");
    return faults;
}

} // namespace
} // namespace harvoline::demo

int main(int argc, char* argv[]) {
    using namespace harvoline::demo;
    qputenv("QT_QPA_PLATFORM",
            "offscreen"); // text on pictures needs a GUI application, not a display
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    QTextStream err(stderr);
    try {
        if (arguments.size() == 4 && arguments[1] == "--check") {
            const QStringList faults = Check(Parse(arguments[2]), QDir(arguments[3]));
            for (const QString& fault : faults) {
                err << fault << "\n";
            }
            return faults.isEmpty() ? 0 : 1;
        }
        if (arguments.size() == 4) {
            Make(Parse(arguments[1]), QDir(arguments[2]), arguments[3]);
            return 0;
        }
        err << "usage: harvoline-make-demo SONGS OUTDIR FFMPEG | --check SONGS OUTDIR\n";
    } catch (const Failure& failure) {
        err << "harvoline-make-demo: " << failure.what() << "\n";
    }
    return 1;
}
