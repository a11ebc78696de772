// Phone buzzers on the real window over 127.0.0.1: how long a phone's press takes to the
// seat's panel red, whether the earliest true press wins when phones differ in delay and
// clock, and a minute of sixteen phones pressing as fast as they may.
#include "app/quiz_session.h"
#include "bench/latency.h"
#include "bench/song_folder.h"
#include "model/input/press_clock.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_phone.h"
#include "ui/seat_view.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/filled_panel.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <memory>

using namespace harvoline;
using namespace harvoline::bench;
using namespace harvoline::testing;

namespace {

// The game with a running playlist and phone buzzers on at 127.0.0.1.
class PhoneGame {
  public:
    explicit PhoneGame(int windowMs) : Folder(14) {
        Platform.ExeFolder = Folder.Path();
        Platform.WorkFolder = Platform.ExeFolder;
        QFile options(Folder.Path() + QStringLiteral("HarvolineOptions.ini"));
        if (options.open(QIODevice::WriteOnly)) {
            options.write("phone-decision-window-ms=" + QByteArray::number(windowMs) + "\n");
        }
        options.close();
        Session = std::make_unique<QuizSession>(Platform);
        Session->Window().show();
        QCoreApplication::processEvents();
        Platform.DialogAnswers.push_back(Folder.WritePlaylist(Folder.Songs));
        Session->Window().StartButton->click();
        Session->Phones().SwitchOn(QHostAddress::LocalHost, 0);
    }

    QUrl SocketUrl() const {
        const QUrl join(Session->Phones().JoinUrl());
        return QUrl(QStringLiteral("ws://127.0.0.1:%1/ws?%2").arg(join.port()).arg(join.query()));
    }
    QString Origin() const {
        return QStringLiteral("http://127.0.0.1:%1").arg(QUrl(Session->Phones().JoinUrl()).port());
    }

    // A round open for buzzing, its titles showing already, with no clock ticking.
    void OpenRound() {
        QuizGame& game = Session->Game();
        game.NewRound();
        game.AdvanceClue();
        game.Timers().ClueTimer.stop();
        game.Timers().RoundClockTimer.stop();
        QCoreApplication::processEvents();
    }

    SongFolder Folder;
    FakePlatform Platform;
    std::unique_ptr<QuizSession> Session;
};

bool Join(TestPhone& phone, const PhoneGame& game, int seat) {
    if (!phone.Open(game.SocketUrl())) {
        return false;
    }
    if (seat == 0) {
        return true;
    }
    phone.Send({{"t", "join"}, {"seat", seat}});
    return !phone.WaitFor("seated").isEmpty();
}

void RunFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
}

bool RunUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
    }
    return done();
}

// From a loopback phone's buzz sent to its seat's panel red, with the decision window of
// the argument.
void PhonePressToRedPanel(benchmark::State& state) {
    PhoneGame game(static_cast<int>(state.range(0)));
    TestPhone phone(game.Origin());
    if (!Join(phone, game, 1)) {
        state.SkipWithError("the phone could not take seat 1");
        return;
    }
    RunFor(1200);
    std::vector<double> latencies;
    for (auto _ : state) {
        game.OpenRound();
        const std::int64_t sent = PressClockUs();
        phone.Send({{"t", "buzz"}, {"at", phone.PhoneMs()}});
        if (!RunUntil([&] { return game.Session->Window().Seats[1]->Panel->Color() == Red; },
                      1000)) {
            state.SkipWithError("the panel did not turn red");
            return;
        }
        latencies.push_back((PressClockUs() - sent) / 1e6);
        state.SetIterationTime(latencies.back());
        // Within the flood limit of the link.
        RunFor(60);
    }
    ReportLatencies(state, latencies);
}
BENCHMARK(PhonePressToRedPanel)
    ->Arg(0)
    ->Arg(80)
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

// A phone whose messages take a one-way delay plus jitter each way, and whose clock is off
// by seconds.
class DelayedPhone : public QObject {
  public:
    DelayedPhone(const QString& origin, int delayMs, std::int64_t offsetUs)
        : Socket(origin), DelayMs(delayMs), OffsetUs(offsetUs) {
        connect(&Socket, &QWebSocket::textMessageReceived, this, &DelayedPhone::Take);
    }

    bool Open(const PhoneGame& game, int seat) {
        Socket.open(game.SocketUrl());
        if (!RunUntil([this] { return Socket.state() == QAbstractSocket::ConnectedState; }, 3000)) {
            return false;
        }
        Send({{"t", "join"}, {"seat", seat}}, 0);
        return RunUntil([this] { return Seated; }, 3000);
    }

    // The finger touches at trueUs on the press clock.
    void PressAt(std::int64_t trueUs) {
        const std::int64_t phoneMs = (trueUs + OffsetUs) / 1000;
        const int untilTouch =
            static_cast<int>(std::max<std::int64_t>(0, trueUs - PressClockUs()) / 1000);
        Send({{"t", "buzz"}, {"at", static_cast<double>(phoneMs)}}, untilTouch + OneWay());
    }

  private:
    int OneWay() { return DelayMs + QRandomGenerator::global()->bounded(JitterMs + 1); }

    void Send(const QJsonObject& message, int afterMs) {
        const QString text = QString::fromUtf8(QJsonDocument(message).toJson());
        QTimer::singleShot(afterMs, Qt::PreciseTimer, this,
                           [this, text] { Socket.sendTextMessage(text); });
    }

    // The ping reaches the phone a one-way delay late; it reads its clock then, and the pong
    // takes another one-way delay back.
    void Take(const QString& text) {
        const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
        if (message.value("t") == QLatin1String("seated")) {
            Seated = true;
        }
        if (message.value("t") != QLatin1String("ping")) {
            return;
        }
        const int down = OneWay();
        const double phoneMs = (PressClockUs() + OffsetUs) / 1000.0 + down;
        Send({{"t", "pong"}, {"s", message.value("s")}, {"c", phoneMs}}, down + OneWay());
    }

    static constexpr int JitterMs = 8;
    QWebSocket Socket;
    int DelayMs;
    std::int64_t OffsetUs;
    bool Seated = false;
};

// Four phones with one-way delays of 2 to 60 ms and clocks seconds apart press at known
// times; the one that pressed first should win. Counts the rounds its lead was 15 ms or
// more, and how many of those it won.
void EarliestTruePressWins(benchmark::State& state) {
    const int window = static_cast<int>(state.range(0));
    PhoneGame game(window);
    const int delays[] = {0, 2, 20, 40, 60};
    const std::int64_t offsets[] = {0, -3'200'000, 1'700'000, 5'400'000, -900'000};
    std::vector<std::unique_ptr<DelayedPhone>> phones;
    for (int seat = 1; seat <= 4; ++seat) {
        phones.push_back(
            std::make_unique<DelayedPhone>(game.Origin(), delays[seat], offsets[seat]));
        if (!phones.back()->Open(game, seat)) {
            state.SkipWithError("a phone could not take its seat");
            return;
        }
    }
    // The quick pings of every phone are answered before the first round.
    RunFor(1500);
    QRandomGenerator random(19);
    int rounds = 0;
    int won = 0;
    int undecided = 0;
    for (auto _ : state) {
        for (int round = 0; round < 200; ++round) {
            game.OpenRound();
            const int first = random.bounded(1, 5);
            const std::int64_t start = PressClockUs() + 5000;
            for (int seat = 1; seat <= 4; ++seat) {
                const int lagMs = seat == first ? 0 : 15 + random.bounded(30);
                phones[seat - 1]->PressAt(start + lagMs * 1000);
            }
            QuizGame& quiz = game.Session->Game();
            if (!RunUntil([&] { return quiz.AnsweringSeat() != 0; }, 1000)) {
                ++undecided;
            }
            ++rounds;
            won += quiz.AnsweringSeat() == first ? 1 : 0;
            // The late presses of this round arrive before the next one opens.
            RunFor(90);
        }
    }
    state.counters["rounds"] = rounds;
    state.counters["earliest_won_pct"] = 100.0 * won / rounds;
    state.counters["undecided"] = undecided;
}
BENCHMARK(EarliestTruePressWins)->Arg(0)->Arg(80)->Iterations(1)->Unit(benchmark::kSecond);

long ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').front().toLong();
        }
    }
    return 0;
}

// Sixteen phones, three of them on seats 2 to 4, each buzzing 16 times a second for a
// minute, while rounds open every 250 ms and seat 1 buzzes by key at each opening. Reports
// the key's press to red panel, whether each round had one seat answering, and the growth
// of memory.
void SixteenPhonesForAMinute(benchmark::State& state) {
    PhoneGame game(0);
    std::vector<std::unique_ptr<TestPhone>> phones;
    for (int i = 0; i < PhoneServer::MaxPhones; ++i) {
        phones.push_back(std::make_unique<TestPhone>(game.Origin()));
        if (!Join(*phones.back(), game, i < 3 ? i + 2 : 0)) {
            state.SkipWithError("a phone could not link");
            return;
        }
        phones.back()->KeepReceived = false;
    }
    QTimer pressing;
    pressing.setTimerType(Qt::PreciseTimer);
    QObject::connect(&pressing, &QTimer::timeout, [&phones] {
        for (auto& phone : phones) {
            phone->Send({{"t", "buzz"}, {"at", phone->PhoneMs()}});
        }
    });
    RunFor(1500);
    const long memoryBefore = ResidentKiB();
    MainWindow& window = game.Session->Window();
    QuizGame& quiz = game.Session->Game();
    std::vector<double> keyLatencies;
    int rounds = 0;
    int oneWinner = 0;
    for (auto _ : state) {
        pressing.start(62);
        QElapsedTimer minute;
        minute.start();
        while (minute.elapsed() < 60'000) {
            game.OpenRound();
            const std::int64_t pressed = PressClockUs();
            QCoreApplication::postEvent(
                &window,
                new QKeyEvent(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, QStringLiteral("q")));
            RunUntil([&] { return quiz.AnsweringSeat() != 0; }, 250);
            if (quiz.AnsweringSeat() == 1 && window.Seats[1]->Panel->Color() == Red) {
                keyLatencies.push_back((PressClockUs() - pressed) / 1e6);
            }
            int red = 0;
            for (int seat = 1; seat <= 4; ++seat) {
                red += window.Seats[seat]->Panel->Color() == Red ? 1 : 0;
            }
            ++rounds;
            oneWinner += quiz.AnsweringSeat() != 0 && red == 1 ? 1 : 0;
            RunFor(200);
        }
        pressing.stop();
    }
    int linked = 0;
    for (auto& phone : phones) {
        linked += phone->Connected() ? 1 : 0;
    }
    state.counters["rounds"] = rounds;
    state.counters["one_winner_rounds"] = oneWinner;
    state.counters["key_buzzes"] = static_cast<double>(keyLatencies.size());
    state.counters["phones_still_linked"] = linked;
    state.counters["memory_growth_mb"] = (ResidentKiB() - memoryBefore) / 1024.0;
    if (!keyLatencies.empty()) {
        ReportLatencies(state, keyLatencies, "key_");
    }
}
BENCHMARK(SixteenPhonesForAMinute)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
