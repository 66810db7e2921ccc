// The line's variant levels: the panel of a line with one level row and the
// openers of the level editors. The editors themselves are not part of this
// version yet: their commands say so and change nothing.
#include <exception>
#include <string>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Impostazioni.h"

using DettUtil::NonDisponibile;

bool frmDDTDett::GestLivelli(bool pbMessaggi) {
  if (pbMessaggi) NonDisponibile("La gestione dei livelli");
  return false;
}
void frmDDTDett::DopoGestLivelli() {}
void frmDDTDett::NascondiPicLiv() {
  C("picLivelli").SetVisible(false);
  for (int n : {21, 22}) {
    txt(n).SetText("");
    lab(n).SetCaption("");
  }
}
void frmDDTDett::AbilLivelliCrea() {}
bool frmDDTDett::LivelloUnico() {
  // The panel serves a line of a valid article with at most one level row:
  // the row's codes go into it; a line with several rows is the level
  // editor's.
  const Globali& g = G();
  const auto& fc = vb::FunzioniComuni::Istanza();
  auto svuota = [&] {
    for (int n : {21, 22}) {
      txt(n).SetText("");
      lab(n).SetCaption("");
    }
  };
  dati::GestRecordset rs;
  std::string k;
  try {
    if (txt(20).BackColor() == g.glColoreErrore || oiPosPicLiv == 0) {
      svuota();
      msLivello1Salvato = txt(21).Text();
      msLivello2Salvato = txt(22).Text();
      return false;
    }
    auto& p = ogLinPag();
    const std::string memorizzato = vb::Trim(servizi::Testo(CampoRigaPag("Articolo")));
    if (p.Stato() != 2 && vb::UgualeTesto(memorizzato, vb::Trim(txt(20).Text()))) {
      const std::string& t = g.gsTabLivApp;
      k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                           "Select " + t + ".Livello1, Livelli1.Descrizione as DescrLiv1, " + t +
                               ".Livello2, Livelli2.Descrizione as DescrLiv2 FROM (" + t +
                               " LEFT JOIN Livelli as Livelli1 ON Livelli1.Livello = " + t +
                               ".Livello1) LEFT JOIN Livelli as Livelli2 ON Livelli2.Livello = " + t +
                               ".Livello2 where " + t + ".Anno = " +
                               fc.ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) + " AND " + t +
                               ".NumRif = " + fc.ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong) + " AND " + t +
                               ".RigLiv = " + fc.ValoreSql(vb::Variant(lab(15).Caption()), vb::vbLong),
                           false, 4);
      if (rs.NumRecord(k) > 1) {
        rs.ChiudiRecordset(k);
        return false;
      }
      if (rs.NessunRecord(k)) {
        svuota();
      } else {
        txt(21).SetText(servizi::Testo(rs.LeggiCampo(k, "Livello1")));
        lab(21).SetCaption(servizi::Testo(rs.LeggiCampo(k, "DescrLiv1")));
        txt(22).SetText(servizi::Testo(rs.LeggiCampo(k, "Livello2")));
        lab(22).SetCaption(servizi::Testo(rs.LeggiCampo(k, "DescrLiv2")));
      }
    } else {
      svuota();
    }
    std::string articolo = txt(20).Text();
    int16_t gruppi = 0;
    AziendaUtil::LeggiGruppiLiv(articolo, label1(21), label1(22), gruppi);
    // An article without a second level group stores "~ç~" as its level 2.
    const bool secondo = !fc.Vuoto(vb::Variant(osLivGruppo2));
    if (!secondo) txt(22).SetText("~ç~");
    label1(22).SetVisible(secondo);
    txt(22).SetVisible(secondo);
    lab(22).SetVisible(secondo);
    C("ComHlp", 22).SetVisible(secondo);
    if (!k.empty()) rs.ChiudiRecordset(k);
    msLivello1Salvato = txt(21).Text();
    msLivello2Salvato = txt(22).Text();
    return true;
  } catch (...) {
    MostraErrore(std::current_exception());
    msLivello1Salvato.clear();
    msLivello2Salvato.clear();
    try {
      if (!k.empty() && rs.Esiste(k)) rs.ChiudiRecordset(k);
    } catch (...) {
    }
    return false;
  }
}
void frmDDTDett::SalDatiLiv() {}
