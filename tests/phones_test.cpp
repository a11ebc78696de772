// Phones as buzzers: the clock each phone's presses are moved onto, the seats phones hold,
// and the server's rules, with phones over 127.0.0.1.
#include "model/input/press_clock.h"
#include "phones/lan_address.h"
#include "phones/phone_clock.h"
#include "phones/phone_link.h"
#include "phones/phone_seats.h"
#include "phones/phone_server.h"
#include "tests/support/game_fixture.h"
#include "tests/support/test_phone.h"
#include "tests/support/window_fixture.h"
#include "ui/phone_panel_view.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QTest>
#include <memory>
#include <vector>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

constexpr std::int64_t Ms = 1000;

} // namespace

// The offset comes from the samples with the shortest round trips; a press is moved by it
// and clamped between the arrival less the best round trip and the arrival.
TEST(PhoneClock, MovesPressesByTheOffsetOfTheFastestPingsAndClampsThem) {
    // The phone's clock runs 7 s behind the game's. Samples: sent, round trip, and the
    // share of the round trip after which the phone read its clock.
    constexpr std::int64_t Behind = 7000 * Ms;
    struct Ping {
        std::int64_t SentMs;
        std::int64_t RoundTripMs;
        double ReadAfter;
    };
    const Ping pings[] = {{1000, 80, 0.9}, {1200, 10, 0.5}, {1400, 12, 0.5},
                          {1600, 11, 0.5}, {1800, 95, 0.1}, {2000, 60, 0.8}};
    PhoneClock clock;
    EXPECT_EQ(clock.PressedAtUs(0, 5000 * Ms), 0) << "no sample: the arrival counts";
    for (const Ping& ping : pings) {
        const std::int64_t sent = ping.SentMs * Ms;
        const std::int64_t read =
            sent + static_cast<std::int64_t>(ping.RoundTripMs * Ms * ping.ReadAfter);
        clock.AddSample(sent, read - Behind, sent + ping.RoundTripMs * Ms);
    }
    EXPECT_EQ(clock.BestRoundTripUs(), 10 * Ms);
    EXPECT_EQ(clock.OffsetUs(), Behind);

    struct Case {
        const char* What;
        std::int64_t PhonePressMs;
        std::int64_t ArrivedMs;
        std::int64_t ExpectedMs;
    };
    const Case cases[] = {
        {"a press 6 ms before it arrived", 3000 - 7000 - 6, 3000, 2994},
        {"a press as early as the link allows", 3000 - 7000 - 10, 3000, 2990},
        {"a forged early press", 3000 - 7000 - 500, 3000, 2990},
        {"a press from the future", 3000 - 7000 + 40, 3000, 3000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(clock.PressedAtUs(c.PhonePressMs * Ms, c.ArrivedMs * Ms), c.ExpectedMs * Ms);
    }
}

TEST(PhoneClock, KeepsTheLatestSamplesOnly) {
    PhoneClock clock;
    clock.AddSample(0, 0, 1 * Ms);
    for (int i = 1; i <= PhoneClock::KeptSamples; ++i) {
        clock.AddSample(i * 100 * Ms, i * 100 * Ms - 3000 * Ms, i * 100 * Ms + 20 * Ms);
    }
    EXPECT_EQ(clock.BestRoundTripUs(), 20 * Ms);
    EXPECT_EQ(clock.OffsetUs(), 3010 * Ms);
}

TEST(PhoneSeats, ASeatIsOnePhonesUntilItsSecretOrTheQuizMasterFreesIt) {
    PhoneSeats seats;
    QString first;
    QString second;
    EXPECT_EQ(seats.Take(2, 11, first), PhoneSeats::Outcome::Seated);
    EXPECT_EQ(first.size(), 32);
    EXPECT_EQ(seats.Take(2, 12, second), PhoneSeats::Outcome::Taken);
    EXPECT_EQ(seats.Take(5, 12, second), PhoneSeats::Outcome::NoSuchSeat);
    seats.Leave(11);
    EXPECT_EQ(seats.PhoneAt(2), 0);
    EXPECT_EQ(seats.Take(2, 12, second), PhoneSeats::Outcome::Taken) << "reserved while away";
    int displaced = -1;
    EXPECT_EQ(seats.Reclaim("0" + first.mid(1), 13, displaced) == 2, first.startsWith('0'));
    EXPECT_EQ(seats.Reclaim(first, 13, displaced), 2);
    EXPECT_EQ(displaced, 0);
    EXPECT_EQ(seats.Reclaim(first, 14, displaced), 2) << "a second tab of the same phone";
    EXPECT_EQ(displaced, 13);
    seats.SetJoiningLocked(true);
    EXPECT_EQ(seats.Take(3, 12, second), PhoneSeats::Outcome::JoiningLocked);
    EXPECT_EQ(seats.Free(2), 14);
    EXPECT_FALSE(seats.AnyReserved());
    EXPECT_EQ(seats.Reclaim(first, 14, displaced), 0);
}

TEST(LanAddress, TakesTheDefaultRouteWithTheLowestMetricAndNeverABridge) {
    const QString header =
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
    struct Case {
        const char* What;
        QString Table;
        QString Expected;
    };
    const Case cases[] = {
        {"Wi-Fi",
         header + "wlan0\t00000000\t0101A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
                  "wlan0\t0001A8C0\t00000000\t0001\t0\t0\t600\t00FFFFFF\t0\t0\t0\n",
         "wlan0"},
        {"cable before Wi-Fi",
         header + "wlan0\t00000000\t0101A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
                  "eth0\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n",
         "eth0"},
        {"a container's bridge",
         header + "docker0\t00000000\t010011AC\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"
                  "br-1a2b\t00000000\t010012AC\t0003\t0\t0\t0\t00000000\t0\t0\t0\n",
         ""},
        {"no default route",
         header + "eth0\t0001A8C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n", ""},
        {"garbage", "\t\t\t\n00000000", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(DefaultRouteInterface(c.Table), c.Expected);
    }
}

namespace {

// The game with phone buzzers switched on at 127.0.0.1.
class Phones : public WindowTest {
  protected:
    void SetUp() override {
        StartGame();
        ASSERT_TRUE(Input().SwitchOn(QHostAddress::LocalHost, 0));
        Port = QUrl(Input().JoinUrl()).port();
    }

    PhoneInput& Input() { return Session->Phones(); }
    QString Origin() const { return QStringLiteral("http://127.0.0.1:%1").arg(Port); }
    QByteArray Token() const { return QUrl(Session->Phones().JoinUrl()).query().mid(2).toLatin1(); }
    QUrl SocketUrl() const {
        return QUrl(QStringLiteral("ws://127.0.0.1:%1/ws?k=%2").arg(Port).arg(Token()));
    }

    // A new phone, linked when it could be.
    TestPhone& Phone(const QString& origin = {}) {
        Made.push_back(std::make_unique<TestPhone>(origin.isEmpty() ? Origin() : origin));
        Made.back()->Open(SocketUrl());
        return *Made.back();
    }
    TestPhone& SeatedPhone(int seat) {
        TestPhone& phone = Phone();
        phone.Send({{"t", "join"}, {"seat", seat}});
        EXPECT_FALSE(phone.WaitFor("seated").isEmpty());
        return phone;
    }

    QByteArray Get(const QByteArray& path, const QByteArray& extra = {}) {
        return HttpExchange(Port, "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" +
                                      QByteArray::number(Port) + "\r\n" + extra + "\r\n");
    }
    QByteArray Upgrade(const QByteArray& target, const QByteArray& origin) {
        return Get(target, "Upgrade: websocket\r\nConnection: Upgrade\r\nOrigin: " + origin +
                               "\r\nSec-WebSocket-Version: 13\r\n"
                               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n");
    }

    int Port = 0;
    std::vector<std::unique_ptr<TestPhone>> Made;
};

} // namespace

TEST_F(Phones, ServeThePageAndRefuseEverythingElseAndClose) {
    const QByteArray origin = Origin().toLatin1();
    const QByteArray host = "127.0.0.1:" + QByteArray::number(Port);
    struct Case {
        const char* What;
        QByteArray Reply;
        QByteArray Status;
    };
    const Case cases[] = {
        {"the page", Get("/"), "200"},
        {"its script", Get("/phone.js"), "200"},
        {"another file", Get("/../harvoline"), "404"},
        {"a foreign Host", HttpExchange(Port, "GET / HTTP/1.1\r\nHost: evil.example\r\n\r\n"),
         "421"},
        {"no Host", HttpExchange(Port, "GET / HTTP/1.1\r\n\r\n"), "421"},
        {"a POST", HttpExchange(Port, "POST / HTTP/1.1\r\nHost: " + host + "\r\n\r\n"), "405"},
        {"a body", Get("/", "Content-Length: 4\r\n"), "405"},
        {"a chunked body", Get("/", "Transfer-Encoding: chunked\r\n"), "405"},
        {"a head over 8 KiB", Get("/", "X-Filler: " + QByteArray(8200, 'x') + "\r\n"), "431"},
        {"garbage", HttpExchange(Port, "\x16\x03\x01 hello\r\n\r\n"), "400"},
        {"a socket without the token", Upgrade("/ws", origin), "403"},
        {"a socket with a wrong token", Upgrade("/ws?k=0123456789abcdef0123456789abcdef", origin),
         "403"},
        {"a socket from a foreign page", Upgrade("/ws?k=" + Token(), "http://evil.example"), "403"},
        {"a socket from no page", Get("/ws?k=" + Token(), "Upgrade: websocket\r\n"), "403"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_TRUE(c.Reply.startsWith("HTTP/1.1 " + c.Status)) << c.Reply.left(80).constData();
        EXPECT_FALSE(c.Reply.endsWith("(open)"));
    }
    EXPECT_TRUE(Get("/").contains("<script src=\"phone.js\""));
}

TEST_F(Phones, CloseSocketsThatBreakTheRules) {
    struct Case {
        const char* What;
        std::function<void(TestPhone&)> Send;
    };
    const Case cases[] = {
        {"an unknown message",
         [](TestPhone& p) {
             p.Send({{"t", "admin"}});
         }},
        {"no JSON", [](TestPhone& p) { p.SendText("buzz"); }},
        {"a message over 1 KiB",
         [](TestPhone& p) {
             p.Send({{"t", "buzz"}, {"pad", QString(1100, 'x')}});
         }},
        {"a flood",
         [](TestPhone& p) {
             for (int i = 0; i < 30; ++i) {
                 p.Send({{"t", "buzz"}, {"at", 1}});
             }
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TestPhone& phone = Phone();
        ASSERT_TRUE(phone.Connected());
        c.Send(phone);
        EXPECT_TRUE(phone.WaitClosed());
    }
    TestPhone& calm = Phone();
    for (int i = 0; i < 12; ++i) {
        calm.Send({{"t", "buzz"}, {"at", 1}});
    }
    QTest::qWait(200);
    EXPECT_TRUE(calm.Connected()) << "twelve messages in a second are fine";
}

TEST_F(Phones, TakeSixteenPhonesAndRefuseTheSeventeenth) {
    for (int i = 0; i < PhoneServer::MaxPhones; ++i) {
        ASSERT_TRUE(Phone().Connected()) << i;
    }
    EXPECT_FALSE(Phone().Connected());
    Made.front()->Close();
    ASSERT_TRUE(QTest::qWaitFor([this] { return Phone().Connected(); }, 3000));
}

TEST_F(Phones, AreSentTheFreeSeatsAndTakeOneEach) {
    TestPhone& first = Phone();
    EXPECT_FALSE(first.WaitFor("texts").value("buzz").toString().isEmpty());
    const QJsonObject greeting = first.WaitFor("state");
    ASSERT_EQ(greeting.value("seats").toArray().size(), 4);
    EXPECT_EQ(greeting.value("seat").toInt(), 0);

    TestPhone& second = SeatedPhone(2);
    EXPECT_EQ(Input().DecisionWindowMs(), 80) << "a phone's seat widens the decision";
    EXPECT_EQ(Session->Decision().WindowMs(), 80);
    first.Send({{"t", "join"}, {"seat", 2}});
    EXPECT_EQ(first.WaitFor("refused").value("why"), "taken");
    EXPECT_FALSE(
        first.Last("state").value("seats").toArray().at(1).toObject().value("free").toBool())
        << "the others see seat 2 taken";

    // The phone goes away and comes back with its secret; the seat waited for it.
    const QString secret = second.Last("seated").value("secret").toString();
    second.Close();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Input().PhoneLinked(2); }, 3000));
    EXPECT_TRUE(Input().SeatTaken(2));
    first.Send({{"t", "join"}, {"seat", 2}});
    EXPECT_EQ(first.WaitFor("refused").value("why"), "taken");
    first.Send({{"t", "reclaim"}, {"secret", "not the secret"}});
    EXPECT_EQ(first.WaitFor("refused").value("why"), "gone");
    TestPhone& back = Phone();
    back.Send({{"t", "reclaim"}, {"secret", secret}});
    EXPECT_EQ(back.WaitFor("seated").value("seat").toInt(), 2);
    EXPECT_EQ(back.WaitFor("state", [](const QJsonObject& s) { return s.value("seat") == 2; })
                  .value("state"),
              "open");

    // The quiz master frees the seat and lets no new phone join.
    Input().FreeSeat(2);
    EXPECT_FALSE(back.WaitFor("freed").isEmpty());
    Input().SetJoiningLocked(true);
    back.Send({{"t", "join"}, {"seat", 2}});
    EXPECT_EQ(back.WaitFor("refused").value("why"), "closed");
    EXPECT_EQ(Session->Decision().WindowMs(), 0) << "no phone holds a seat";
}

TEST_F(Phones, ActOnlyForTheirOwnSeatAndLearnNoAnswer) {
    Session->Decision().SetWindowMs(0);
    TestPhone& two = SeatedPhone(2);
    TestPhone& three = SeatedPhone(3);
    two.Send({{"t", "buzz"}, {"at", two.PhoneMs()}});
    ASSERT_TRUE(QTest::qWaitFor([this] { return Game().AnsweringSeat() == 2; }, 3000));
    const QJsonObject yours =
        two.WaitFor("state", [](const QJsonObject& s) { return s.value("state") == "you"; });
    EXPECT_EQ(yours.value("answers").toArray().size(), 4);
    EXPECT_EQ(
        three.WaitFor("state", [](const QJsonObject& s) { return s.value("state") == "other"; })
            .value("answers"),
        QJsonValue::Undefined);

    // Seat 3 answers for seat 2 and buzzes again: nothing happens.
    three.Send({{"t", "choose"}, {"n", RightChoice(Game())}, {"at", three.PhoneMs()}});
    three.Send({{"t", "buzz"}, {"at", three.PhoneMs()}});
    QTest::qWait(300);
    EXPECT_EQ(Game().AnsweringSeat(), 2);
    EXPECT_EQ(Game().Score(3), 0);

    two.Send({{"t", "choose"}, {"n", RightChoice(Game())}, {"at", two.PhoneMs()}});
    ASSERT_TRUE(QTest::qWaitFor([this] { return Game().Score(2) > 0; }, 3000));
    const QJsonObject over =
        two.WaitFor("state", [](const QJsonObject& s) { return s.value("state") == "over"; });
    EXPECT_EQ(over.value("score").toInt(), Game().Score(2));
    for (const TestPhone* phone : {&two, &three}) {
        for (const QJsonObject& message : phone->Received) {
            EXPECT_FALSE(QJsonDocument(message).toJson().contains(Game().RightAnswer().toUtf8()));
        }
    }
}

TEST_F(Phones, StopListeningWhenSwitchedOff) {
    TestPhone& phone = SeatedPhone(1);
    Input().SwitchOff();
    EXPECT_TRUE(phone.WaitClosed());
    EXPECT_EQ(Get("/"), "(no connection)");
    EXPECT_FALSE(Input().SeatTaken(1));
}

TEST_F(Phones, TheJoinPanelShowsTheBuzzOrderWithTheGaps) {
    SeatedPhone(4);
    SeatCommand key{CommandSource::Keyboard, 1, SeatAction::Buzz};
    SeatCommand phone{CommandSource::Phone, 3, SeatAction::Buzz};
    phone.PressedAtUs = PressClockUs() - 12 * Ms;
    Session->Apply(key);
    Session->Apply(phone);
    Session->Decision().Decide();
    ASSERT_EQ(Game().AnsweringSeat(), 3);
    const QString order = Window().PhonePanel->BuzzOrder->text();
    EXPECT_TRUE(order.contains(Game().SeatAt(3).Name + "\n" + Game().SeatAt(1).Name + "  +1"))
        << order.toStdString();
    EXPECT_TRUE(order.endsWith(" ms")) << order.toStdString();
}

TEST_F(Phones, AChosenAddressIsKeptAndJoinedWithANewToken) {
    TestPhone& phone = SeatedPhone(1);
    const QString before = Input().JoinUrl();
    ASSERT_TRUE(Input().ChooseAddress("127.0.0.1"));
    EXPECT_EQ(Game().Config().Options().Value(PhoneInput::AddressOption), "127.0.0.1");
    EXPECT_TRUE(Input().JoinUrl().startsWith("http://127.0.0.1:"));
    EXPECT_NE(QUrl(Input().JoinUrl()).query(), QUrl(before).query());
    EXPECT_TRUE(phone.WaitClosed()) << "phones join again at the new address";
}

TEST(PhoneServer, NamesItsHostAsBrowsersWriteIt) {
    PhoneServer server;
    if (!server.Listen(QHostAddress::LocalHostIPv6, 0)) {
        GTEST_SKIP() << "no IPv6 loopback here";
    }
    EXPECT_TRUE(server.HostAndPort().startsWith("[::1]:")) << server.HostAndPort().toStdString();
    EXPECT_TRUE(server.JoinUrl().startsWith("http://[::1]:"));
    EXPECT_EQ(QUrl(server.JoinUrl()).host(), "::1");
}
