#pragma once

#include "searchdialog.h"

class DataEditorHost;

// "Przeszukiwanie dysku": finds installers and archives below a folder and
// turns a hit into a program of the open data file. Its user mask lists
// live in Zazava.cfg [Filtry].
class T_frmZnajdz : public TSearchDialog
{
    Q_OBJECT
public:
    // configPath: Zazava.cfg, read here for the user masks and written
    // back when the window closes.
    T_frmZnajdz(DataEditorHost &host, const QString &configPath, QWidget *parent = nullptr);

    TFileList *listaZnalezione;

    // "&Dodaj do danych" on the selected hit: added to the data file, the
    // hit leaves the list; refused, it stays.
    void DodajDoDanychClick();

protected:
    void fillHitMenu(QMenu &menu) override;
    void closing() override;

private:
    DataEditorHost &m_host;
    QString m_configPath;
};
