#include "ui/Icons.h"

#include <QDir>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qv::ui {
namespace {

struct IconSpec {
  int id;
  const char* themeNames[3];
  QColor colour;      // fallback tile colour
  const char* glyph;  // fallback tile text
};

const IconSpec kIcons[] = {
    {128, {"system-search", "edit-find", nullptr}, QColor(0x35, 0x84, 0xe4), "Q"},
    {157, {"edit-find", "system-search", nullptr}, QColor(0x35, 0x84, 0xe4), "F"},
    {161, {"edit-find-replace", "edit-find", nullptr}, QColor(0x26, 0xa2, 0x69), "R"},
    {162, {"accessories-text-editor", "edit-select-all", nullptr}, QColor(0xc6, 0x46, 0x00), "Rn"},
    {176, {"document-print", nullptr, nullptr}, QColor(0x61, 0x35, 0x83), "P"},
    {210, {"edit-copy", nullptr, nullptr}, QColor(0x98, 0x6a, 0x44), "="},
    {211, {"appointment-new", "x-office-calendar", nullptr}, QColor(0xe0, 0x1b, 0x24), "T"},
    {212, {"drive-harddisk", "folder", nullptr}, QColor(0x5e, 0x5c, 0x64), "S"},
    {229, {"accessories-calculator", nullptr, nullptr}, QColor(0x1c, 0x71, 0xd8), "#"},
    {218, {"dialog-question", nullptr, nullptr}, QColor(0x35, 0x84, 0xe4), "?"},
    {219, {"dialog-warning", nullptr, nullptr}, QColor(0xe5, 0xa5, 0x0a), "!"},
    {225, {"dialog-information", nullptr, nullptr}, QColor(0x35, 0x84, 0xe4), "i"},
};

QIcon DrawnIcon(const IconSpec& spec) {
  QIcon icon;
  for (int size : {16, 24, 32, 48}) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 5.0, size / 5.0);
    p.fillPath(path, spec.colour);
    QFont f;
    f.setBold(true);
    f.setPixelSize(std::max(8, size * 11 / 20));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(pm.rect(), Qt::AlignCenter, QString::fromLatin1(spec.glyph));
    p.end();
    icon.addPixmap(pm);
  }
  return icon;
}

}  // namespace

void EnsureIconTheme() {
  if (!QIcon::themeName().isEmpty() && QIcon::themeName() != QLatin1String("hicolor")) return;
  // Platforms without a desktop theme (offscreen, bare X) do not even know where themes live.
  QStringList paths = QIcon::themeSearchPaths();
  QStringList dataDirs = qEnvironmentVariable("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"))
                             .split(QLatin1Char(':'), Qt::SkipEmptyParts);
  dataDirs.prepend(qEnvironmentVariable("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share")));
  for (const QString& d : dataDirs)
    if (!paths.contains(d + QStringLiteral("/icons"))) paths.append(d + QStringLiteral("/icons"));
  QIcon::setThemeSearchPaths(paths);
  for (const char* name : {"breeze", "Adwaita", "gnome"}) {
    for (const QString& dir : QIcon::themeSearchPaths()) {
      if (QDir(dir + QLatin1Char('/') + QLatin1String(name)).exists()) {
        QIcon::setThemeName(QLatin1String(name));
        return;
      }
    }
  }
}

QIcon ResourceIcon(int id) {
  for (const auto& spec : kIcons) {
    if (spec.id != id) continue;
    for (const char* name : spec.themeNames) {
      if (!name) break;
      QIcon themed = QIcon::fromTheme(QLatin1String(name));
      if (!themed.isNull()) return themed;
    }
    return DrawnIcon(spec);
  }
  return {};
}

}  // namespace qv::ui
