"""Translation: every text the user sees goes through ``tr``, in the
context "tufu", so that a translation (i18n/tufu_<locale>.qm) can be added
later.  Chinese is the plugin's own text."""

from pathlib import Path

from qgis.PyQt.QtCore import QCoreApplication, QLocale, QSettings, QTranslator

CONTEXT = "tufu"


def tr(text: str) -> str:
    return QCoreApplication.translate(CONTEXT, text)


def install_translator():
    """Loads the translation for QGIS's interface language, if there is one;
    returns the translator to keep alive (or None)."""
    locale = QSettings().value("locale/userLocale", QLocale().name()) or ""
    path = Path(__file__).with_name("i18n") / f"tufu_{str(locale)[:2]}.qm"
    if not path.exists():
        return None
    translator = QTranslator()
    if not translator.load(str(path)):
        return None
    QCoreApplication.installTranslator(translator)
    return translator
