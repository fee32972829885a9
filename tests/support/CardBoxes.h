#pragma once

// The labelled boxes of the three card templates, typed from the description of the printed card:
// caption, text object, and where the box stands (millimetres inside the page margins).
#include "CoreTestSupport.h"

#include <QList>

struct CardBox {
    const char* caption;
    const char* object;
    double left; // mm, inside the margins
    double top;  // of the header bar
    double width;
};

using CardBoxes = QList<CardBox>;

inline const CardBoxes kBooks{
    {"AUTORE", "txtAutore", 1, 125, 93},
    {"NAZIONE", "txtNazione", 96, 125, 93},
    {"ANNO PUBBLICAZIONE", "txtAnno", 1, 139, 93},
    {"CASA EDITRICE", "txtEditore", 96, 139, 93},
    {"CITTA' PUBBLICAZIONE", "txtCitta", 1, 153, 93},
    {"GENERE", "txtGenere", 96, 153, 93},
    {"ISBN", "txtISBN", 1, 167, 93},
    {"LINGUA", "txtLingua", 96, 167, 93},
    {"TITOLO ORIGINALE", "txtOriginale", 1, 181, 93},
    {"TRADUTTORE", "txtTraduttore", 96, 181, 93},
    {"COLLANA", "txtCollana", 1, 195, 93},
    {"CURATORE", "txtCuratore", 96, 195, 93},
    {"POSIZIONE SU SCAFFALE", "txtPosizione", 1, 209, 93},
    {"CODICE SU ETICHETTA", "txtEtichetta", 96, 209, 93},
    {"FORMATO", "txtFormato", 1, 223, 93},
    {"CODICE DEWEY", "txtDewey", 96, 223, 93},
    {"VOLUMI", "txtVolumi", 1, 237, 93},
    {"PAGINE", "txtPagine", 96, 237, 93},
    {"PREZZO", "txtPrezzo", 1, 251, 93},
    {"GIUDIZIO", "txtGiudizio", 96, 251, 93},
    {"NOTE", "txtNote", 1, 265, 188},
};

inline const CardBoxes kComics{
    {"AUTORE", "txtAutore", 1, 125, 93},
    {"NAZIONE", "txtNazione", 96, 125, 93},
    {"DATA PUBBLICAZIONE", "txtData", 1, 139, 44},
    {"NUMERO ALBO", "txtNumero", 47, 139, 47},
    {"CASA EDITRICE", "txtEditore", 96, 139, 93},
    {"CITTA' PUBBLICAZIONE", "txtCitta", 1, 153, 93},
    {"GENERE", "txtGenere", 96, 153, 93},
    {"DIRETTORE", "txtDirettore", 1, 167, 93},
    {"LINGUA", "txtLingua", 96, 167, 93},
    {"DISEGNATORE", "txtDisegnatore", 1, 181, 93},
    {"CONTENUTI EXTRA", "txtContenuti", 96, 181, 93},
    {"STATO CONSERVAZIONE", "txtStato", 1, 195, 93},
    {"FORMATO", "txtFormato", 96, 195, 93},
    {"POSIZIONE SU SCAFFALE", "txtPosizione", 1, 209, 93},
    {"CODICE SU ETICHETTA", "txtEtichetta", 96, 209, 93},
    {"STORIA NARRATA", "txtStoria", 1, 223, 188},
    {"PERSONAGGI", "txtPersonaggi", 1, 237, 188},
    {"PREZZO", "txtPrezzo", 1, 251, 44},
    {"PAGINE", "txtPagine", 47, 251, 47},
    {"GIUDIZIO", "txtGiudizio", 96, 251, 93},
    {"NOTE", "txtNote", 1, 265, 188},
};

inline const CardBoxes kDvds{
    {"REGISTA", "txtRegista", 1, 125, 93},
    {"NAZIONE", "txtNazione", 96, 125, 93},
    {"ANNO PRODUZIONE", "txtAnno", 1, 139, 93},
    {"PROTAGONISTA", "txtProtagonista", 96, 139, 93},
    {"DISTRIBUZIONE", "txtDistribuzione", 1, 153, 93},
    {"GENERE", "txtGenere", 96, 153, 93},
    {"LINGUA ORIGINALE", "txtLingua", 1, 167, 93},
    {"ALTRE LINGUE", "txtAltreLingue", 96, 167, 93},
    {"TITOLO ORIGINALE", "txtOriginale", 1, 181, 93},
    {"SOTTOTITOLI", "txtSottotitoli", 96, 181, 93},
    {"COLLANA", "txtCollana", 1, 195, 93},
    {"PREMI E RICONOSCIMENTI", "txtPremi", 96, 195, 93},
    {"POSIZIONE SU SCAFFALE", "txtPosizione", 1, 209, 93},
    {"CODICE SU ETICHETTA", "txtEtichetta", 96, 209, 93},
    {"DURATA", "txtDurata", 1, 223, 93},
    {"PREZZO", "txtPrezzo", 96, 223, 93},
    {"CAST", "txtCast", 1, 237, 188},
    {"GIUDIZIO", "txtGiudizio", 1, 251, 188},
    {"NOTE", "txtNote", 1, 265, 188},
};

// The boxes of each kind's card template, by the kind's tag.
inline const KindRows<CardBoxes> kCardBoxes{"kCardBoxes", {{"libri", kBooks}, {"fumetti", kComics}, {"dvd", kDvds}}};
