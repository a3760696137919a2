"""The plugin: the Processing provider (also for qgis_process, which calls
initProcessing only), the expression functions and the dock panel."""

from pathlib import Path

from qgis.core import QgsApplication
from qgis.PyQt.QtCore import Qt
from qgis.PyQt.QtGui import QIcon
from qgis.PyQt.QtWidgets import QAction

from .i18n import install_translator, tr


class TufuPlugin:
    def __init__(self, iface):
        self.iface = iface
        self.provider = None
        self.dock = None
        self.action = None
        self.functions = []
        self.translator = install_translator()

    def initProcessing(self):  # noqa: N802
        if self.provider is None:
            from .provider import TufuProvider

            self.provider = TufuProvider()
            QgsApplication.processingRegistry().addProvider(self.provider)
        if not self.functions:
            from .expressions import register

            self.functions = register()

    def initGui(self):  # noqa: N802
        self.initProcessing()
        from .dock import SheetDock

        self.dock = SheetDock(self.iface.mapCanvas(), self.iface.mainWindow())
        self.iface.addDockWidget(Qt.RightDockWidgetArea, self.dock)
        self.action = QAction(QIcon(str(Path(__file__).with_name("icon.png"))), tr("图幅编号面板"),
                              self.iface.mainWindow())
        self.action.setCheckable(True)
        self.action.setChecked(self.dock.isVisible())
        self.action.toggled.connect(self.dock.setUserVisible)
        self.dock.visibilityChanged.connect(self.action.setChecked)
        self.iface.addPluginToVectorMenu(tr("图幅编号 (tufu)"), self.action)
        self.iface.addVectorToolBarIcon(self.action)

    def unload(self):
        if self.action is not None:
            self.iface.removePluginVectorMenu(tr("图幅编号 (tufu)"), self.action)
            self.iface.removeVectorToolBarIcon(self.action)
            self.action.deleteLater()
            self.action = None
        if self.dock is not None:
            self.dock.close_panel()
            self.iface.removeDockWidget(self.dock)
            self.dock.deleteLater()
            self.dock = None
        if self.functions:
            from .expressions import unregister

            unregister(self.functions)
            self.functions = []
        if self.provider is not None:
            QgsApplication.processingRegistry().removeProvider(self.provider)
            self.provider = None
