// The check that the batch and lot of a line were loaded into stock.
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/GestRecordset.h"
#include "services/DbDitta.h"

namespace mainDdt {

vb::Variant VerifCaricoPartita(int16_t& piAnno, std::string& psArticolo, std::string& psPartita,
                               std::string& psLotto) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  bool ris = true;
  dati::GestRecordset rs;
  std::string k;
  try {
    const std::string sql =
        std::string("SELECT MovMagTes.Anno, MovMagDett.NumReg, MovMagDett.RigReg") + " FROM (MovMagTes" +
        " INNER JOIN MagCausali" + " ON MovMagTes.MagCausale = MagCausali.MagCausale)" + " INNER JOIN MovMagDett" +
        " ON MovMagTes.NumReg = MovMagDett.NumReg" + " AND MovMagTes.Anno = MovMagDett.Anno" +
        " WHERE MovMagDett.Anno = " + fc.ValoreSql(piAnno, vb::vbInteger) +
        " AND MovMagDett.Articolo = " + fc.ValoreSql(psArticolo, vb::vbString) +
        " AND MovMagDett.DescPers1 = " + fc.ValoreSql(psPartita, vb::vbString) +
        " AND MovMagDett.DescPers3 = " + fc.ValoreSql(psLotto, vb::vbString) +
        " AND (MagCausali.CarScar = " + fc.ValoreSql("C", vb::vbString) +
        " OR MagCausali.CarScar = " + fc.ValoreSql("N", vb::vbString) + ")" + " AND MagCausali.Segno = '+'";
    k = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, 4);
    if (rs.NessunRecord(k)) {
      // Only "&Sì" keeps the data: a message window that was already open
      // answers 0, which is no consent.
      const int risposta = frmMsgCom::msgCom("Manca caricamento per partita '" + psPartita + "' e lotto '" +
                                                 psLotto + "'" + "\r\n" + "Confermi i dati inseriti",
                                             "&Sì", "&No");
      ris = risposta == 1;
    }
    rs.ChiudiRecordset(k);
  } catch (const vb::Errore& e) {
    // A check that cannot run never blocks the line.
    frmMsgCom::MsgErrfrm(e);
    ris = true;
  }
  return ris;
}

}  // namespace mainDdt
