// Draws the splash pictures of both languages and the program icon from the
// language files' captions, so that the pictures say what the program calls
// itself.
//
//   qrv_make_artwork PROGRAM_DIR OUTPUT_DIR
#include "radio_data/messages.h"
#include "radio_data/settings.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>

namespace {

QImage Splash(const QString& caption, const QString& subtitle)
{
    QImage image(520, 300, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, 300);
    sky.setColorAt(0, QColor(0x1F, 0x3A, 0x5F));
    sky.setColorAt(1, QColor(0x0B, 0x16, 0x26));
    p.fillRect(image.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    // A hand-held radio: body, antenna, speaker grille.
    p.setBrush(QColor(0x2E, 0x2E, 0x2E));
    p.setPen(QPen(QColor(0x90, 0xA4, 0xB8), 2));
    p.drawRoundedRect(QRectF(40, 90, 90, 170), 14, 14);
    p.drawRect(QRectF(100, 30, 12, 62));
    p.setBrush(QColor(0x6F, 0xD1, 0xFF));
    p.drawRoundedRect(QRectF(55, 110, 60, 34), 4, 4);
    p.setPen(QPen(QColor(0x90, 0xA4, 0xB8), 3));
    for (int y = 165; y < 240; y += 12)
        p.drawLine(QPointF(58, y), QPointF(112, y));
    p.setPen(Qt::white);
    QFont title(QStringLiteral("Sans"), 24, QFont::Bold);
    p.setFont(title);
    p.drawText(QRectF(160, 90, 340, 80), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, caption);
    QFont small(QStringLiteral("Sans"), 13);
    p.setFont(small);
    p.setPen(QColor(0xC8, 0xD6, 0xE5));
    p.drawText(QRectF(160, 180, 340, 60), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, subtitle);
    return image;
}

QImage Icon()
{
    QImage image(256, 256, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1F, 0x3A, 0x5F));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 40, 40);
    p.setBrush(QColor(0x2E, 0x2E, 0x2E));
    p.setPen(QPen(QColor(0xC8, 0xD6, 0xE5), 6));
    p.drawRoundedRect(QRectF(78, 70, 100, 160), 16, 16);
    p.drawRect(QRectF(150, 24, 14, 48));
    p.setBrush(QColor(0x6F, 0xD1, 0xFF));
    p.drawRoundedRect(QRectF(96, 92, 64, 36), 6, 6);
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PROGRAM_DIR OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    qrv::CSettings settings(argv[1]);
    settings.SetReadOnly(true);
    bool ok = true;
    for (const int language : {0, 1}) {
        settings.SelectLanguage(language);
        const QString caption = QString::fromStdString(settings.GetText(qrv::msg::kMainCaption));
        const QString subtitle = QStringLiteral("QL-210 · QL-220 · QL-230");
        const QString name = language == 0 ? QStringLiteral("/splash_E.jpg") : QStringLiteral("/splash_S.jpg");
        ok = Splash(caption, subtitle).save(out + name, "JPG", 92) && ok;
    }
    ok = Icon().save(out + QStringLiteral("/qrv.png"), "PNG") && ok;
    return ok ? 0 : 1;
}
