#include "ui/qr_code_view.h"

#include <QPainter>
#include <memory>
#include <qrencode.h>

namespace harvoline {

QrCodeView::QrCodeView(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
}

void QrCodeView::SetText(const QString& text) {
    Side = 0;
    Cells.clear();
    const QByteArray bytes = text.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        bytes.isEmpty() ? nullptr : QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M),
        &QRcode_free);
    if (code) {
        Side = code->width;
        Cells.resize(static_cast<std::size_t>(Side * Side));
        for (std::size_t i = 0; i < Cells.size(); ++i) {
            Cells[i] = (code->data[i] & 1) != 0;
        }
    }
    update();
}

void QrCodeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (Side == 0) {
        return;
    }
    const int total = Side + 2 * QuietModules;
    const int module = std::max(1, std::min(width(), height()) / total);
    const int left = (width() - Side * module) / 2;
    const int top = (height() - Side * module) / 2;
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            if (Dark(x, y)) {
                painter.fillRect(left + x * module, top + y * module, module, module, Qt::black);
            }
        }
    }
}

} // namespace harvoline
