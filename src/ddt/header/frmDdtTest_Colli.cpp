// The packages and the gross weight of the DDT, from its stored lines: the
// lines as committed, so both are meaningful once the lines are written.
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/Variant.h"
#include "platform/dati/GestRecordset.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

// "Anno = <year> AND NumRif = <number>" of the shown DDT for the alias given.
std::string ChiaveDdt(const frmDdtTest& f, const std::string& psAlias, const std::string& psAnd) {
  return psAlias + ".Anno = " + FC().ValoreSql(vb::Variant(f.txt(20).Text()), vb::vbInteger) + psAnd + psAlias +
         ".NumRif = " + FC().ValoreSql(vb::Variant(f.txt(10).Text()), vb::vbLong);
}

}  // namespace

vb::Variant frmDdtTest::CalcTotColli() {
  const Globali& g = G();
  dati::GestRecordset rs;
  std::string k;
  try {
    const std::string& t = g.gsTabDett;
    // Deposit articles are no packages; lines without a known article still
    // count; an article line whose eco-fee line is in the DDT counts once,
    // through that line.
    const std::string sql = "Select sum(" + t + ".Colli) as SommaColli" + ", sum(" + t + ".Qta) as SommaQta" +
                            " from " + t + " left join Articoli" + " on " + t + ".Articolo = Articoli.Articolo" +
                            " Where " + ChiaveDdt(*this, t, " AND ") +
                            " AND (IsNull(Articoli.Cauzione) or Articoli.Cauzione <> 'S')" +
                            " AND Not Exists(Select Articolo from " + t + " as D2" + " Where " +
                            ChiaveDdt(*this, "D2", " AND ") + " AND " + t + ".RigLivRAEE = D2.RigLiv)";
    k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", sql, false, 4);
    vb::Variant valore = rs.LeggiCampoNull(k, "SommaColli");
    const bool colliZero = valore.IsNull() || FC().ValDouble(valore) == 0;
    if (vb::UgualeTesto(msRicalcColli, "Q") || (!vb::UgualeTesto(msRicalcColli, "C") && colliZero))
      valore = rs.LeggiCampoNull(k, "SommaQta");
    rs.ChiudiRecordset(k);
    k.clear();
    // No line that counts: no packages rather than an empty sum.
    if (valore.IsNull()) valore = vb::Variant(0.0);
    if (HaBarra()) {
      const std::string maschera = vb::Trim(ogComPag().Campi("Colli").maschera);
      if (!maschera.empty()) valore = vb::Variant(FC().Formatta(valore, maschera));
    }
    return valore;
  } catch (const vb::Errore& e) {
    if (!k.empty()) {
      try {
        rs.ChiudiRecordset(k);
      } catch (const vb::Errore&) {
      }
    }
    frmMsgCom::MsgErrfrm(e);
    return vb::Variant();
  }
}

void frmDdtTest::CalcolaPeso() {
  const Globali& g = G();
  const std::string& t = g.gsTabDett;
  std::string sql = "Select Sum(";
  if (vb::UgualeTesto(msCalcolaPesoLordo, "S")) sql += " Articoli.PesoLordo * ";
  sql += t + ".Qta" + " * IIf(IsNull(" + t + ".FatCon),1," + " IIf(" + t + ".FatCon=0,1," + t +
         ".FatCon))) AS TotPeso" + " FROM " + t + " INNER JOIN Articoli" + " ON " + t +
         ".Articolo = Articoli.Articolo" + " Where " + ChiaveDdt(*this, t, " And ");
  // The list holds whole units, each closed by ";": a unit counts when it is
  // one of them, never as the tail of another ("G" is not in "KG;").
  if (!msCalcolaPesoUm.empty())
    sql += " And " + FC().ValoreSql(vb::Variant(";" + msCalcolaPesoUm), vb::vbString) + " like '*;' & " + t +
           ".UM & ';*'";
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", sql, false, 4);
  vb::Variant valore;
  try {
    valore = rs.LeggiCampoNull(k, "TotPeso");
  } catch (...) {
    rs.ChiudiRecordset(k);
    throw;
  }
  rs.ChiudiRecordset(k);
  // No line that counts: no weight.
  if (valore.IsNull()) valore = vb::Variant(0.0);
  txt(1210).SetText(FC().MascheraNum(valore, g.giNumDecQtaMag, {}, false, "#,##0", 0, "", "^"));
}
