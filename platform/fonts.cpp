// Font substitutions for the faces the program's resources name.
#include "platform/fonts.h"

#include <QFont>
#include <QString>

void InstallFontSubstitutions() {
    const QString song = QStringLiteral("AR PL UMing CN");
    QFont::insertSubstitution(QStringLiteral("宋体"), song);
    QFont::insertSubstitution(QStringLiteral("SimSun"), song);
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}
