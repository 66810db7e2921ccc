#include "fiscal/scIve.h"

#include <memory>

#include "fiscal/Ambiente.h"
#include "platform/Errore.h"

// ---- scControP

bool scControP::obCdcCompEsiste(const std::string& psCentroDiCosto,
                                const std::string& psCompetenza) const {
  return ocCdcCompetenza.Esiste(fiscal::ChiaveCdcComp(psCentroDiCosto, psCompetenza));
}

void scControP::AddCdcComp(const std::string& psCentroDiCosto, const std::string& psCompetenza) {
  auto riga = std::make_shared<scControPCDCComp>();
  riga->osKey = fiscal::ChiaveCdcComp(psCentroDiCosto, psCompetenza);
  riga->osCentroDiCosto = psCentroDiCosto;
  riga->osCompetenza = psCompetenza;
  const std::string chiave = riga->osKey;
  ocCdcCompetenza.Add(chiave, std::move(riga));
}

scControPCDCComp& scControP::ogCdcComp(const std::string& psCentroDiCosto,
                                       const std::string& psCompetenza) const {
  return ocCdcCompetenza.Item(fiscal::ChiaveCdcComp(psCentroDiCosto, psCompetenza));
}

// ---- scIva

ImportiRiepilogo& scIva::Livello(const std::string& psConto, bool pbConto,
                                 const std::string& psCentroDiCosto,
                                 const std::string& psCompetenza) const {
  scControP& conto = ocCollControPte.Item(psConto);
  if (pbConto) return conto;
  return conto.ogCdcComp(psCentroDiCosto, psCompetenza);
}

bool scIva::obCPEsiste(const std::string& psConto) const noexcept {
  return ocCollControPte.Esiste(psConto);
}

bool scIva::obCdcCompEsiste(const std::string& psConto, const std::string& psCentroDiCosto,
                            const std::string& psCompetenza) const {
  return ocCollControPte.Item(psConto).obCdcCompEsiste(psCentroDiCosto, psCompetenza);
}

void scIva::CPClear() { ocCollControPte.Clear(); }

void scIva::AddControP(const std::string& psConto, const std::string& psCentroDiCosto,
                       const std::string& psCompetenza) {
  auto conto = std::make_shared<scControP>();
  conto->osConto = psConto;
  conto->AddCdcComp(psCentroDiCosto, psCompetenza);
  ocCollControPte.Add(psConto, std::move(conto));
}

void scIva::AddCdcComp(const std::string& psConto, const std::string& psCentroDiCosto,
                       const std::string& psCompetenza) {
  ocCollControPte.Item(psConto).AddCdcComp(psCentroDiCosto, psCompetenza);
}

scControP& scIva::ogControp(const std::string& psControP) const {
  return ocCollControPte.Item(psControP);
}

scControPCDCComp& scIva::ogCdcComp(const std::string& psControP, const std::string& psCentroDiCosto,
                                   const std::string& psCompetenza) const {
  return ocCollControPte.Item(psControP).ogCdcComp(psCentroDiCosto, psCompetenza);
}

void scIva::PrepMerceSco(int16_t piIndSconto) {
  if (piIndSconto <= oiNumSconti) return;
  const size_t n = static_cast<size_t>(piIndSconto) + 1;
  if (oiNumSconti == 0) {
    // A table never prepared starts anew: what index 0 held is dropped.
    mdMerceSco.assign(n, 0.0);
  } else {
    // A line with a shorter chain counts its whole chain at the further
    // steps, so the new steps start from the last one.
    const double ultimo = mdMerceSco[static_cast<size_t>(oiNumSconti)];
    mdMerceSco.resize(n, ultimo);
  }
  oiNumSconti = piIndSconto;
}

double scIva::odMerceSco(int16_t piIndSconto) const {
  if (oiNumSconti > 0 && piIndSconto <= oiNumSconti) {
    if (piIndSconto < 0) vb::Solleva(vb::ErrIndice);
    return mdMerceSco[static_cast<size_t>(piIndSconto)];
  }
  return odMerce.ToDouble();
}

void scIva::odMerceSco(int16_t piIndSconto, double pdImpScontato) {
  if (piIndSconto < 0 || static_cast<size_t>(piIndSconto) >= mdMerceSco.size())
    vb::Solleva(vb::ErrIndice);
  mdMerceSco[static_cast<size_t>(piIndSconto)] = pdImpScontato;
}

// ---- scIve

void scIve::AddIva(const std::string& psIva) {
  auto iva = std::make_shared<scIva>();
  iva->osIva = psIva;
  ocCollIva.Add(psIva, std::move(iva));
}
