#pragma once

#include "model/config/more_texts.h"

#include <QObject>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace harvoline {

class FilledPanel;
class QrCodeView;
class QuizGame;

inline constexpr MoreText PhonesMenuText{"phones-menu", "Handys als Buzzer", "Phones as buzzers"};
inline constexpr MoreText PhonesShowJoinText{"phones-show-join", "Handy-Beitritt anzeigen",
                                             "Show how phones join"};
inline constexpr MoreText PhonesJoinText{"phones-join", "Mit dem Handy scannen und mitspielen",
                                         "Scan with your phone to play"};
inline constexpr MoreText PhonesLockText{"phones-lock", "Keine neuen Handys", "No new phones"};
inline constexpr MoreText PhonesFreeText{"phones-free", "Freigeben", "Free"};
inline constexpr MoreText PhonesHideText{"phones-hide", "Ausblenden", "Hide"};
inline constexpr MoreText PhonesOrderText{"phones-order", "Buzzer-Reihenfolge:", "Buzz order:"};
inline constexpr MoreText PhonesNoAddressText{
    "phones-no-address", "Kein Netzwerk gefunden: Handys können sich nicht verbinden.",
    "No network found: phones cannot connect."};

// The join panel of phone buzzers: the join address as a big QR code and as text, which seat
// a phone holds with a button to free it, joining locked, and the order of the last buzzes.
class PhonePanelView : public QObject {
    Q_OBJECT

  public:
    PhonePanelView(const QuizGame& game, QWidget* frame);

    FilledPanel* Panel;
    QrCodeView* Code;
    QLabel* JoinPrompt;
    QLabel* Address;
    std::array<QLabel*, 5> SeatLines{};
    std::array<QPushButton*, 5> FreeButtons{};
    QCheckBox* LockJoining;
    QLabel* BuzzOrder;
    // The addresses phones may join at, the one in use shown.
    QComboBox* AddressChoice;
    QPushButton* HideButton;

    void ShowJoin(const QString& url, const QString& hostAndPort);
    void ShowAddresses(const QStringList& addresses, const QString& inUse);
    // Per seat 1 to 4: held by a phone, and that phone linked now.
    void ShowSeats(const std::array<bool, 5>& taken, const std::array<bool, 5>& linked);
    void ShowOrder(const QString& order);
    // Brought up over the seats.
    void Show();
    // Centred on the window, whatever its size.
    void Place(const QSize& window);

  signals:
    void FreeSeatClicked(int seat);
    void JoiningLockToggled(bool locked);
    void AddressChosen(const QString& address);

  private:
    void ShowTexts();

    const QuizGame& Game;
};

} // namespace harvoline
