"""tufu for QGIS: the sheet numbers of China's national basic-scale
topographic maps (GB/T 13989, 1992 and 2012 editions) as a Processing
provider, expression functions and a dock panel."""


def classFactory(iface):  # noqa: N802 (the name QGIS looks for)
    from .plugin import TufuPlugin

    return TufuPlugin(iface)
