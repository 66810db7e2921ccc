#pragma once
// The line window on demo DDT 3 with lines of the test's own: "L1" .. "Ln"
// (descriptive, RigDet i, RigLiv 100 + i) written into the committed table
// before the lines are opened, and the working lines read back in display
// order.
#include <string>
#include <vector>

#include "ddt/lines/RigheProva.h"
#include "platform/dati/Recordset.h"

namespace prova {

class NumeriProva : public RigheProva {
 protected:
  static constexpr long kDdt = dati::demo::kDdtModificabile;

  // The DDT's committed lines replaced by descriptive lines at these
  // display numbers, named "L" + their number.
  void Linee(const std::vector<int>& numeri) {
    for (const char* t : {"DdtDett", "DdtLiv", "DdtMatr"})
      Sql(std::string("Delete from ") + t + " Where Anno = 2026 And NumRif = " + std::to_string(kDdt));
    Sql("Delete from DdtRintraccia Where Anno = 2026 And NumReg = " + std::to_string(kDdt));
    for (int i : numeri) Sql(Riga(i, 100 + i, "L" + std::to_string(i)));
  }
  void Linee(int n) {
    std::vector<int> v;
    for (int i = 1; i <= n; ++i) v.push_back(i);
    Linee(v);
  }
  std::string Riga(int rigDet, long rigLiv, const std::string& descr, const std::string& tab = "DdtDett") {
    return "Insert into " + tab +
           " (Anno, NumRif, RigDet, RigLiv, TipoRiga, Descrizione, Qta, FatCon, UM, Iva, Omaggio, CopiaTaglia)"
           " Values (2026, " +
           std::to_string(kDdt) + ", " + std::to_string(rigDet) + ", " + std::to_string(rigLiv) + ", 'D', '" + descr +
           "', 1, 1, 'PZ', '22', 'N', 0)";
  }

  // "RigDet:Descrizione" of the working lines in display order.
  std::string Ordine(const std::string& tab = "DdtDettApp") {
    return Elenco("Select RigDet, Descrizione from " + tab + " Where Anno = 2026 And NumRif = " +
                      std::to_string(kDdt) + " Order By RigDet",
                  {"RigDet", "Descrizione"});
  }

  // The rows of a query, fields joined by ":", rows by " ".
  std::string Elenco(const std::string& sql, const std::vector<std::string>& campi) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 4);
    std::string s;
    for (; !rs.NessunRecord(k) && !rs.FineRec(k); rs.ProssimoRec(k)) {
      if (!s.empty()) s += " ";
      for (size_t i = 0; i < campi.size(); ++i) {
        const vb::Variant v = rs.LeggiCampoNull(k, campi[i]);
        s += (i ? ":" : "") + (v.IsNull() ? std::string("<Null>") : v.ToString());
      }
    }
    rs.ChiudiRecordset(k);
    return s;
  }

  // The page on the line with that display number, as the user reaches it
  // with the moving keys.
  void VaiA(frmDDTDett& d, int rigDet) {
    auto& p = d.ogLinPag();
    p.EseguiTasto("Inizio");
    for (int i = 1; i < rigDet; ++i) p.EseguiTasto("Successiva");
    ASSERT_EQ(d.txt(10).Text(), std::to_string(rigDet));
  }

  // A new descriptive line typed in the boxes.
  static void Compila(frmDDTDett& d, const std::string& descr) {
    d.txt(18).SetText("D");
    d.txt(23).SetText(descr);
    d.txt(30).SetText("1");
    d.txt(130).SetText("22");
    d.txt(140).SetText("PZ");
    d.txt(150).SetText("1");
  }
};

}  // namespace prova
