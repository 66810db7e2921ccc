// The signal the messages and stock warnings play, as "BeepCome" sets it.
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Suono.h"
#include "platform/Testo.h"

namespace FunVarie {

void Suona() {
  try {
    const auto& fc = vb::FunzioniComuni::Istanza();
    const std::string& come = G().gsBeepCome;
    if (fc.Vuoto(vb::Variant(come), vb::vbString, 1, false)) {
      vb::suono::Segnale();
      return;
    }
    std::string f = come, d;
    const long pv = vb::InStr(1, come, ";", vb::vbTextCompare);
    if (pv > 0) {
      f = vb::Left(come, pv - 1);
      d = vb::Mid(come, pv + 1);
    }
    if (vb::Variant(f).IsNumeric()) {
      if (d.empty()) d = "20";
      if (fc.ValNumero(vb::Variant(f), true) > 0) {
        vb::suono::Beep(fc.ValLong(vb::Variant(f), true), fc.ValLong(vb::Variant(d), true));
        return;
      }
      float frequenza = fc.ValSingle(vb::Variant(f), true);
      int32_t durata = fc.ValLong(vb::Variant(d), true);
      vb::suono::SuonaMemoria(CreaWavTono(frequenza, durata));
      return;
    }
    // Not a number: a sound file; the part after ";" does not count.
    vb::suono::SuonaFile(f);
  } catch (const vb::Errore&) {
    // A signal that cannot sound stays silent.
  }
}

std::string CreaWavTono(float psFrequenza, int32_t plDurata) { return vb::suono::WavTono(psFrequenza, plDurata); }

}  // namespace FunVarie
