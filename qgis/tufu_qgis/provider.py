"""The Processing provider "图幅编号 (tufu)"."""

from pathlib import Path

from qgis.core import QgsProcessingProvider
from qgis.PyQt.QtGui import QIcon

from .i18n import tr


class TufuProvider(QgsProcessingProvider):
    def id(self):
        return "tufu"

    def name(self):
        return tr("图幅编号 (tufu)")

    def longName(self):
        return tr("图幅编号 (tufu): GB/T 13989 国家基本比例尺地形图分幅与编号")

    def icon(self):
        return QIcon(str(Path(__file__).with_name("icon.png")))

    def loadAlgorithms(self):
        from .algorithms.adjoining import AdjoiningAlgorithm
        from .algorithms.annotate import AnnotateAlgorithm
        from .algorithms.fromnumbers import FromNumbersAlgorithm
        from .algorithms.grid import GridAlgorithm

        for alg in (GridAlgorithm(), AnnotateAlgorithm(), FromNumbersAlgorithm(), AdjoiningAlgorithm()):
            self.addAlgorithm(alg)
