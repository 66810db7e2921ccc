#include <algorithm>

#include "common/Globali.h"
#include "common/MembriForm.h"
#include "common/UtilClient.h"
#include "common/frmPrincipale.h"
#include "common/mainDdt.h"
#include "platform/Errore.h"
#include "platform/Testo.h"
#include "platform/ui/Form.h"

namespace mainDdt {

namespace {

// Is a form other than the hidden main form still loaded? A hidden look-up
// window does not count: it is closed with the rest.
bool AltreFormAperte() {
  const frmPrincipale* p = &FrmPrincipale();
  for (const ui::Form* f : ui::Forms()) {
    if (f == p || !f->Caricata()) continue;
    if (!f->Visible() && vb::UgualeTesto(f->Caption(), "Aiuto")) continue;
    return true;
  }
  return false;
}

}  // namespace

void ChiudiProgramma(int16_t piSubito) { UtilClient::AvviaChiusura(piSubito); }

vb::Variant ChiudiSubito() {
  frmPrincipale& p = FrmPrincipale();
  if (!p.Caricata()) p.Load();
  p.oiChiudi = 0;
  p.timChiudi().SetEnabled(true);
  return true;
}

vb::Variant TentaChiusura(int16_t& piChiudi) {
  if (piChiudi == 0) {
    EseguiChiusura();
    return true;
  }
  bool aperte = false;
  try {
    aperte = AltreFormAperte();
  } catch (const vb::Errore&) {
    aperte = false;
  }
  if (aperte) {
    piChiudi = 0;
    return false;
  }
  EseguiChiusura();
  piChiudi = 0;
  return true;
}

vb::Variant EseguiChiusura() { return UtilClient::ChiudiTutto(); }

vb::Variant ScaricaForms(const vb::Variant& pvCaptionEsclusa) {
  const std::string esclusa = pvCaptionEsclusa.IsMissing() || pvCaptionEsclusa.IsNull() ? std::string()
                                                                                       : pvCaptionEsclusa.ToString();
  bool risultato = true;
  try {
    size_t saltate = 0;
    bool aiuto = false;
    bool rifiutata = false;
    while (ui::Forms().size() > saltate) {
      ui::Form* f = ui::Forms()[ui::Forms().size() - 1 - saltate];
      if (vb::UgualeTesto(f->Caption(), esclusa)) {
        ++saltate;
        continue;
      }
      if (vb::UgualeTesto(f->Caption(), "Aiuto")) {
        aiuto = true;
        ++saltate;
        continue;
      }
      const size_t prima = ui::Forms().size();
      membri::Ignora([&] { f->Unload(); });
      if (ui::Forms().size() >= prima) {
        rifiutata = true;
        break;
      }
    }
    if (rifiutata) {
      const auto& forms = ui::Forms();
      if (forms.size() > 1) membri::Ignora([&] { forms[forms.size() - 1]->Show(0); });
      return false;
    }
    if (aiuto) {
      std::vector<ui::Form*> copia = ui::Forms();
      for (ui::Form* f : copia) {
        if (!vb::UgualeTesto(f->Caption(), "Aiuto")) continue;
        const size_t prima = ui::Forms().size();
        try {
          std::vector<vb::Variant> nessuno;
          f->ChiamaPerNome("ChiudiAiuto", nessuno);
        } catch (const vb::Errore& e) {
          // A look-up window without its own close is simply unloaded.
          if (e.Number() != 438) throw;
          f->Unload();
        }
        if (ui::Forms().size() >= prima) {
          membri::Ignora([&] { f->Show(0); });
          return false;
        }
      }
    }
  } catch (const vb::Errore&) {
  }
  return risultato;
}

void Rilascia() { UtilClient::RilasciaOggetti(); }

void RilasciaSeRichiesto(int16_t pbRilascia) {
  try {
    if (pbRilascia != 0) Rilascia();
  } catch (const vb::Errore&) {
  }
}

vb::Variant RilasciaDopoErrore(int16_t pbRilascia) {
  RilasciaSeRichiesto(pbRilascia);
  return vb::Variant();
}

void MostraMenu() { UtilClient::TornaAlMenu(); }

vb::Variant DaiFocus(ui::Controllo& pgCtl) {
  try {
    pgCtl.SetFocus();
  } catch (const vb::Errore& e) {
    return vb::Variant(e.Number());
  }
  return vb::Variant(0);
}

vb::Variant DescrRicCodice() {
  return vb::Variant(G().giKeyRicDdt != 0 ? "Ricerca per Codice a Barre (F9)" : "Ricerca per Codice (F9)");
}

vb::Variant CambiaRicCodice() {
  G().giKeyRicDdt = G().giKeyRicDdt == 0 ? 1 : 0;
  return DescrRicCodice();
}

}  // namespace mainDdt
