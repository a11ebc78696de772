#pragma once

#include <QWidget>
#include <vector>

namespace harvoline {

// A QR code drawn module by module, black on white with the quiet zone of four modules
// around it, as large as the widget allows in whole pixels per module: a phone camera reads
// it from across the room.
class QrCodeView : public QWidget {
  public:
    static constexpr int QuietModules = 4;

    QrCodeView(QWidget* parent, const QString& name);

    // Empty text, or one too long for a code, shows nothing.
    void SetText(const QString& text);
    int Modules() const { return Side; }
    bool Dark(int x, int y) const { return Cells.at(static_cast<std::size_t>(y * Side + x)); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int Side = 0;
    std::vector<bool> Cells;
};

} // namespace harvoline
