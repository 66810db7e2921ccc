// The import layout chooser of the line window: a right click on
// "LetturaDaFile" or "LettMatr" offers the layouts of that family; the one
// chosen is read at once and used by the next import of this window. The
// same right click with Ctrl and Alt stores the window's size and place.
#include <string>

#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "common/utilprg.h"
#include "ddt/lines/frmDDTDett.h"
#include "lineaids/frmSelIniCarFile.h"
#include "platform/Testo.h"

namespace {

// The toolbar lays its visible buttons side by side from its left edge,
// each as wide as its own width or the standard button, as high as the
// bar; a separator takes a narrow gap.
constexpr long kLargBottone = 390;
constexpr long kLargSeparatore = 120;

bool DentroBottone(ui::Controllo& barra, const std::string& key, float X, float Y) {
  long sinistra = 0;
  for (int i = 1; i <= barra.NumElementi(); ++i) {
    const ui::Elemento& e = barra.Elem(i);
    if (!e.Visible) continue;
    const long larg = e.Width > 0 ? e.Width : e.Style == ui::tbrSeparator ? kLargSeparatore : kLargBottone;
    if (vb::UgualeTesto(e.Key, key))
      return X >= sinistra && X <= sinistra + larg && Y >= 0 && Y <= barra.Height();
    sinistra += larg;
  }
  return false;
}

}  // namespace

void frmDDTDett::tolLinPag_MouseUp(int Button, int Shift, float X, float Y) {
  ui::Controllo& barra = tolLinPag();
  if (Button == 2 && DentroBottone(barra, "LetturaDaFile", X, Y)) MostraSceIniLetFile("Bar");
  if (Button == 2 && DentroBottone(barra, "LettMatr", X, Y)) MostraSceIniLetFile("Matr");
  if (Button == 2 && Shift == 6) {
    long larg = 0, alt = 0, sinistra = 0, alto = 0;
    utilprg::LeggiDimForm(*this, larg, alt, sinistra, alto);
    std::string valLarg = std::to_string(larg), valAlt = std::to_string(alt);
    if (sinistra != 0) valLarg += ";" + std::to_string(sinistra);
    if (alto != 0) valAlt += ";" + std::to_string(alto);
    bool scritte = false;
    try {
      const bool primo = mainDdt::ScriviIni("Configurazioni", "DdtDettLarg", valLarg).ToBool();
      const bool secondo = mainDdt::ScriviIni("Configurazioni", "DdtDettAlt", valAlt).ToBool();
      scritte = primo && secondo;
    } catch (...) {
      scritte = false;
    }
    frmMsgCom::msgCom(scritte ? "Dimensioni maschera salvate"
                              : "Dimensioni maschera non salvate: le chiavi DdtDettLarg e DdtDettAlt della sezione "
                                "Configurazioni non sono state scritte",
                      "&Ok");
  }
}

void frmDDTDett::MostraSceIniLetFile(const std::string& psDaChi) {
  if (mfrmSelIniCarFile && mfrmSelIniCarFile->Caricata()) return;
  mfrmSelIniCarFile = std::make_shared<frmSelIniCarFile>();
  frmSelIniCarFile& f = *mfrmSelIniCarFile;
  f.Load();
  f.obOk = false;
  f.osLettArtDafile = vb::UgualeTesto(psDaChi, "Bar") ? msLettArtParag : msLettMatrParag;
  f.SetosDaChi(psDaChi);
  f.ofrmDett = this;
  f.osKeySec = osKeySec;
  if (!f.mostra()) frmMsgCom::msgCom("Non ci sono parametri da selezionare", "&Ok");
  SetEnabled(false);
  f.Show(0);
}

void frmDDTDett::DopoSceIniLetFile(const std::string& psDaChi) {
  if (mfrmSelIniCarFile && mfrmSelIniCarFile->obOk) {
    const std::string sezione = mfrmSelIniCarFile->osLettArtDafile;
    if (vb::UgualeTesto(psDaChi, "Matr"))
      ImpLetDaFileMatr(sezione, false);
    else
      ImpLetDaFile(sezione, false);
  }
  SetEnabled(true);
  Show();
}
