#pragma once
// Transactions of the data-access engine: like the legacy workspace, a
// transaction spans every open connection of every database manager.
namespace dati {

class Connessione;

void RegistraConnessione(Connessione* c);
void DimenticaConnessione(Connessione* c);

void IniziaTransWorkspace();
void ConfermaTransWorkspace();
void AnnullaTransWorkspace();
int LivelloTransWorkspace();

}  // namespace dati
