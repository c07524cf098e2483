// A workbook written by "Exportar..." read back: a member of its zip
// ("xl/worksheets/sheet1.xml", the sheet "Resultados"), read with Python's
// zipfile as tests/libro/test_libro.py reads the command line's workbooks.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The member's text; empty when the file is no zip, lacks it, or has an XML
// part that is not well-formed (a spreadsheet program would refuse it).
inline QString MiembroZip(const QString& ruta, const QString& miembro) {
    QProcess p;
    p.start("python3", {"-c",
                        "import sys, zipfile, xml.etree.ElementTree as ET\n"
                        "z = zipfile.ZipFile(sys.argv[1])\n"
                        "for n in z.namelist():\n"
                        "    if n.endswith(('.xml', '.rels')): ET.fromstring(z.read(n))\n"
                        "sys.stdout.buffer.write(z.read(sys.argv[2]))",
                        ruta, miembro});
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The cells of a sheet's XML whose text is `texto` (a text cell, inline).
inline bool TieneTexto(const QString& hoja, const QString& texto) {
    return hoja.contains("<t>" + texto.toHtmlEscaped() + "</t>");
}
