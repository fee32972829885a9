#include "SystemReason.h"

#include <cerrno>

QString SystemReason::text(int error)
{
    switch (error) {
    case EPERM:
        // What a FAT disk answers to a name with a character it does not take.
        return QStringLiteral("Il sistema non permette l'operazione (alcuni dischi, come molte chiavette USB, non "
                              "accettano nei nomi i caratteri \" * : < > ? |).");
    case EACCES:
        return QStringLiteral("Mancano i permessi per scrivere nella cartella.");
    case EINVAL:
        return QStringLiteral("Il nome contiene caratteri che questo disco non accetta.");
    case EILSEQ:
        return QStringLiteral("Il nome contiene caratteri che questo disco non sa rappresentare.");
    case EROFS:
        return QStringLiteral("Il disco è protetto dalla scrittura.");
    case ENOSPC:
        return QStringLiteral("Il disco è pieno.");
    case EDQUOT:
        return QStringLiteral("Lo spazio su disco concesso all'utente è esaurito.");
    case ENAMETOOLONG:
        return QStringLiteral("Il nome è troppo lungo per questo disco.");
    case EEXIST:
        return QStringLiteral("Esiste già un file con questo nome.");
    case ENOENT:
        return QStringLiteral("La cartella non esiste più.");
    case ENOTDIR:
        return QStringLiteral("Una parte del percorso non è una cartella.");
    case EISDIR:
        return QStringLiteral("Esiste una cartella con questo nome.");
    case EIO:
        return QStringLiteral("Il disco ha dato un errore di lettura o di scrittura.");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Il sistema ha troppi file aperti.");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("Il file è in uso.");
    default:
        return QStringLiteral("Il sistema ha risposto con l'errore numero %1.").arg(error);
    }
}
