// The article and the levels behind a scanned level barcode.
#include <exception>
#include <string>

#include "barcode/BarCode.h"
#include "barcode/ZelCodBar.h"
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "common/frmMsgCom.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"

namespace {

constexpr const char* kNessunLivello = "~ç~";

dati::GestDatabase& DbAzienda() {
  const auto& db = G().goDbAzienda;
  if (!db) vb::Solleva(vb::ErrOggettoNonImpostato);
  return *db;
}

std::string Testo(const vb::Variant& v) { return v.ToString(); }

bool SoloCifre(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}


}  // namespace

namespace ZelCodBar {

vb::Variant DecLivDaCodBar(std::string& psCodBar, const std::string& psLivGruppo,
                           std::string& psLivello, std::string& psDescLiv) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  dati::GestDatabase& db = DbAzienda();
  const std::string& conn = G().gsConnAzienda;
  dati::GestRecordset rs;  // closes whatever it opened on every way out

  const std::string kGruppo = rs.ApriRecordset(
      db, conn, "",
      std::string("Select * from LivGruppi") + " Where LivGruppo = " + fc.ValoreSql(psLivGruppo, 8),
      false, 4);
  if (rs.NessunRecord(kGruppo)) return false;
  // A Null length is an error, not "no levels": the group is set up wrong.
  const long n = rs.LeggiCampoNull(kGruppo, "LunCodBarre").ToLong();
  if (n == 0) return false;

  const std::string parte = vb::Left(psCodBar, n);
  // The barcode part is the level's own (Livelli.LivBarCode); named plainly
  // it would be ambiguous wherever LivComp carries a column of that name.
  const std::string kLivello = rs.ApriRecordset(
      db, conn, "",
      std::string("SELECT Livelli.* FROM Livelli INNER JOIN LivComp") +
          " ON Livelli.Livello = LivComp.Livello" + " WHERE LivComp.LivGruppo =" +
          fc.ValoreSql(psLivGruppo, 8) + " And Livelli.LivBarCode = " + fc.ValoreSql(parte, 8),
      false, 4);
  bool trovato = false;
  if (!rs.NessunRecord(kLivello)) {
    psCodBar = vb::Mid(psCodBar, n + 1);
    psLivello = Testo(rs.LeggiCampo(kLivello, "Livello"));
    psDescLiv = Testo(rs.LeggiCampo(kLivello, "Descrizione"));
    trovato = true;
  }
  rs.ChiudiRecordset(kLivello);
  rs.ChiudiRecordset(kGruppo);
  return trovato;
}

}  // namespace ZelCodBar

namespace BarCode {

vb::Variant CercaArtCodBar(int16_t piLunArt, std::string& psCodice, std::string& psDescrizione,
                           std::string& psLivello1, std::string& psDescLiv1,
                           std::string& psLivello2, std::string& psDescLiv2) {
  if (vb::Len(psCodice) <= piLunArt) return false;
  try {
    const auto& fc = vb::FunzioniComuni::Istanza();
    const std::string parteArticolo = vb::Left(psCodice, piLunArt);
    const std::string parteLivelli = vb::Mid(psCodice, piLunArt + 1);

    for (const char* tipo : {"13", "E8", "12", "39"}) {
      const std::string prefisso = AziendaUtil::LeggiCodIniLiv(tipo).ToString();
      const long lunghezza = vb::Len(prefisso) + piLunArt;
      std::string candidato;
      if (std::string(tipo) == "13" || std::string(tipo) == "E8") {
        // Only a code of digits can be an EAN: read as a number, letters
        // would become zeros and "1E5" or "&H1F" other digits, and the check
        // digit would then match an article the scan never named.
        std::string dati = prefisso + parteArticolo;
        if (lunghezza == (std::string(tipo) == "13" ? 12 : 7) && SoloCifre(dati)) {
          int controllo = -1;
          candidato = CalcCodBar(tipo, dati, controllo);
        }
      } else {
        candidato = prefisso + parteArticolo;
      }
      if (fc.Vuoto(candidato, 8, 1, false)) continue;

      dati::GestRecordset rs;
      const std::string kArt = rs.ApriRecordset(
          DbAzienda(), G().gsConnAzienda, "",
          std::string("Select Articolo, Descrizione, LivGruppo1, LivGruppo2") + " From Articoli" +
              " Where BarCode = " + fc.ValoreSql(candidato, 8) + " And not LivGruppo1 Is Null",
          false, 4);
      if (rs.NessunRecord(kArt)) {
        rs.ChiudiRecordset(kArt);
        continue;
      }

      std::string resto = parteLivelli;
      if (!ZelCodBar::DecLivDaCodBar(resto, Testo(rs.LeggiCampo(kArt, "LivGruppo1")), psLivello1,
                                     psDescLiv1)
               .ToBool()) {
        rs.ChiudiRecordset(kArt);
        continue;
      }
      const vb::Variant gruppo2 = rs.LeggiCampo(kArt, "LivGruppo2");
      if (fc.Vuoto(gruppo2, 8, 1, false)) {
        psLivello2 = kNessunLivello;
        psDescLiv2.clear();
      } else if (!ZelCodBar::DecLivDaCodBar(resto, Testo(gruppo2), psLivello2, psDescLiv2)
                      .ToBool()) {
        rs.ChiudiRecordset(kArt);
        continue;
      }

      psCodice = Testo(rs.LeggiCampo(kArt, "Articolo"));
      psDescrizione = Testo(rs.LeggiCampo(kArt, "Descrizione"));
      rs.ChiudiRecordset(kArt);
      return true;
    }
    return false;
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
  } catch (const std::exception& e) {
    frmMsgCom::MsgErrfrm(vb::Errore(vb::ErrChiamataNonValida, e.what()));
  }
  return false;
}

}  // namespace BarCode
