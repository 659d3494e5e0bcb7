#include "commandes/commun.h"

#include "commandes/options.h"
#include "processus/isolation.h"
#include "texte.h"

namespace moteur {
namespace {

// The general help, around the table's option lines.
const char *const AIDE_DEBUT =
    "usage : moteur [OPTIONS] [JAUNE ROUGE]\n"
    "        moteur rejouer [-q] FICHIER...\n"
    "        moteur verifier [OPTIONS] JOUEUR\n"
    "        moteur page FICHIER [-o SORTIE.html]\n"
    "        moteur tournoi [OPTIONS] JOUEUR JOUEUR [JOUEUR...]\n"
    "        moteur classement [--resultats FICHIER] FICHIER...\n"
    "        moteur navigateur [OPTIONS] PROGRAMME\n"
    "        moteur joueurs\n"
    "        moteur livre [--coups K] [--nombre N] [--ecart V] [--graine S]\n"
    "\n"
    "Fait jouer deux programmes joueurs au Tessor ; JAUNE joue le premier coup.\n"
    "Un joueur se donne par son nom (cherché à côté de moteur, puis dans les\n"
    "dossiers de TESSOR_JOUEURS, séparés par des :) ou par un chemin.\n"
    "« texte:COMMANDE [ARGUMENTS] » : un programme de tout langage qui parle le\n"
    "protocole texte (README), par exemple « texte:./mon_joueur.py ».\n"
    "Sans joueur : partie de démonstration entre joueur_poids et joueur_critique.\n"
    "humain_liste, humain_saisie et humain_moteur font jouer une personne au\n"
    "terminal, par exemple : moteur humain_liste joueur_critique\n"
    "\n"
    "rejouer FICHIER... : rejoue les parties enregistrées en vérifiant chaque coup\n"
    "(- : l'entrée standard).\n"
    "verifier JOUEUR : vérifie qu'un programme joueur tient le contrat du kit\n"
    "(moteur verifier --help).\n"
    "page FICHIER : écrit une page HTML qui montre ces parties (moteur page --help).\n"
    "tournoi : chaque joueur contre chacun des autres (--parties N par rencontre,\n"
    "N pair), plusieurs parties à la fois, puis le classement avec les cotes Elo.\n"
    "classement FICHIER... : le classement des parties enregistrées d'un tournoi\n"
    "(ses tranches réunies).\n"
    "navigateur PROGRAMME : jouez contre PROGRAMME dans le navigateur\n"
    "(moteur navigateur --help).\n"
    "joueurs : les programmes joueurs que le moteur trouve par leur nom,\n"
    "automatiques et humains à part (tournoi --tous prend les automatiques).\n"
    "livre : écrit un livre de départs équilibrés (moteur livre --help).\n"
    "\n"
    "Options :\n";

const char *const AIDE_FAUTES =
"\n"
    "Un coup absent ou hors de la liste est remplacé par un coup tiré au hasard,\n"
    "compté au joueur (marqué * dans l'enregistrement) ; celui d'une personne\n"
    "recommence son tour. Un programme qui plante, s'arrête, dépasse son temps\n"
    "ou rompt le protocole perd la partie ; il est relancé pour la suivante.\n"
    "Avec --traces, la sortie du n-ième joueur nommé va dans\n"
    "DOSSIER/<n>-<nom>.txt (en tournoi, DOSSIER/<rencontre>-<nom>.txt), coupée\n"
    "à 10 Mo par fichier (--taille-traces) : une ligne dit où.\n"
    "\n"
    "--livre FICHIER : une position par ligne (notation du kit, # commente) ; les\n"
    "départs sont pris dans un ordre tiré de la graine, repris au début quand les\n"
    "parties sont plus nombreuses. --cadence BASE+INC : chaque joueur a BASE\n"
    "secondes pour la partie, INC de plus après chaque coup ; sa pendule tombée,\n"
    "il perd. Avec --cadence sans --temps, pas de limite par coup.\n"
    "\n";

const char *const AIDE_FIN =
    "\n"
    "Avec --sprt, après chaque paire de parties, le match s'arrête dès que le\n"
    "rapport de vraisemblance de H1 (écart elo1) contre H0 (écart elo0) sort de\n"
    "[ln(beta/(1-alpha)), ln((1-beta)/alpha)] ; --parties borne sa longueur.\n"
    "Avec -j N, un match joue N parties à la fois et les enregistre dans l'ordre\n"
    "de leurs numéros : mêmes parties, même bilan et même test qu'avec -j 1.\n"
    "Un tournoi écrit ses parties dans l'ordre où elles finissent, chacune avec son\n"
    "numéro et sa rencontre ; avec --tranche, M machines en jouent chacune une part\n"
    "et moteur classement réunit leurs fichiers.\n"
    "\n"
    "Statut de sortie : 0 si tout va bien, 1 en cas d'échec (enregistrement\n"
    "refusé, fichier ou sortie impossible à écrire), 2 si la ligne de commande\n"
    "est fausse. Interrompu (Ctrl-C), le moteur arrête d'abord les joueurs, puis\n"
    "affiche le bilan des parties finies. NO_COLOR : plateaux sans couleurs.\n";

// The sandbox's default limits, as the process layer sets them.
std::string aideDuBacASable()
{
    return hote::texte("Chaque programme joueur joue dans un bac à sable : il ne voit aucun autre\n"
                       "processus et n'a pas de réseau. Si le système le refuse, le moteur le dit et\n"
                       "joue sans ; avec --isolation exigee, il refuse de jouer (statut 1). Limites\n"
                       "par défaut : %u Mio de mémoire, %u processus, fichiers de %u Mio.\n",
                       static_cast<unsigned>(MEMOIRE_PAR_DEFAUT_MIO),
                       static_cast<unsigned>(PROCESSUS_PAR_DEFAUT),
                       static_cast<unsigned>(FICHIERS_PAR_DEFAUT_MIO));
}

std::string aideGenerale()
{
    return AIDE_DEBUT +
           lignesDAide({Commande::Match, Commande::Rejouer, Commande::Tournoi, Commande::Classement}) +
           AIDE_FAUTES + aideDuBacASable() + AIDE_FIN;
}

const char *const AIDE_VERIFIER =
    "usage : moteur verifier [--positions N] [--graine S] [--temps T] [--strict] JOUEUR\n"
    "\n"
    "Vérifie, avant un long tournoi, qu'un programme joueur tient le contrat du kit.\n"
    "Il joue par le mode moteur, comme dans un match, des positions tirées de la\n"
    "graine, chacune deux fois, dans deux processus. Une ligne par contrôle :\n"
    "  salut       le programme salue le moteur dans la version de ce kit\n"
    "  réponses    chaque tour reçoit une réponse, une seule (ni plantage, ni\n"
    "              arrêt, ni rupture du protocole)\n"
    "  temps       chaque tour finit dans le temps (pire et médiane)\n"
    "  indices     chaque indice remis est un indice de la liste (un tour sans\n"
    "              indice est compté, et n'échoue qu'avec --strict)\n"
    "  graine      la même graine donne les mêmes indices dans les deux processus\n"
    "  sortie      la sortie du programme est de l'UTF-8 valide (volume par tour)\n"
    "  processus   rien de ce qu'il a lancé ne reste à la fin\n"
    "  liste vide  il répond à une position sans coup possible\n"
    "Une ligne en échec donne la première position fautive, à essayer en mode\n"
    "un tour : JOUEUR --position NOTATION --graine G.\n"
    "\n"
    "Options :\n"
    "      --positions N  N positions (500 par défaut) : parties et plateaux au\n"
    "                     hasard, les deux couleurs au trait, une sans coup possible\n"
    "      --graine S     graine des positions (par défaut : l'horloge, affichée)\n"
    "      --temps T      secondes par coup (10 par défaut)\n"
    "      --strict       un tour sans indice remis est une faute\n"
    "  -h, --help         affiche cette aide\n"
    "\n"
    "Statut de sortie : 0 si tous les contrôles passent, 1 sinon, 2 si la ligne de\n"
    "commande est fausse.\n";

const char *const AIDE_PAGE =
    "usage : moteur page FICHIER [-o SORTIE.html]\n"
    "\n"
    "Écrit une page HTML autonome (sans réseau) qui montre les parties de\n"
    "l'enregistrement FICHIER : liste des parties, plateau après chaque coup,\n"
    "coups, score et résultat. Par défaut la page va à côté de FICHIER, avec\n"
    "l'extension .html ; « -o - » l'écrit sur la sortie standard. FICHIER « - » :\n"
    "l'enregistrement est lu sur l'entrée standard, la page va sur la sortie standard\n"
    "(sauf -o).\n"
    "L'adresse #partie=3&coup=12 ouvre la 3e partie du fichier après son 12e coup.\n"
    "La page tient toutes les parties en mémoire : un enregistrement de plus de\n"
    "%llu Mo est refusé (faites une page par tranche du tournoi, --tranche).\n"
    "\n"
    "Options :\n"
    "  -o, --sortie SORTIE.html  fichier de la page\n"
    "  -h, --help                affiche cette aide\n";

const char *const AIDE_REJOUER =
    "usage : moteur rejouer [-q] FICHIER...\n"
    "\n"
    "Rejoue les parties enregistrées dans chaque FICHIER (- : l'entrée standard) en\n"
    "vérifiant chaque coup depuis la position de départ, puis le résultat, la fin\n"
    "et le score de la position finale. Statut de sortie : 0 si tout est sain,\n"
    "1 sinon (la ligne fautive est donnée), 2 si la ligne de commande est fausse.\n"
    "\n"
    "Options :\n";

const char *const AIDE_TOURNOI =
    "usage : moteur tournoi [OPTIONS] JOUEUR JOUEUR [JOUEUR...]\n"
    "\n"
    "Chaque joueur contre chacun des autres (avec --defi : le premier contre chacun\n"
    "des autres), --parties N par rencontre (2 par défaut, N pair : une partie de\n"
    "chaque couleur depuis chaque départ), plusieurs parties à la fois, puis le\n"
    "classement avec les cotes Elo et le tableau croisé. Avec --enregistrer, chaque\n"
    "partie est écrite dès sa fin ; --reprendre joue ce qui manque au fichier ;\n"
    "--tranche K/M n'en joue qu'une part, que moteur classement réunit.\n"
    "\n"
    "Options :\n";

const char *const AIDE_CLASSEMENT =
    "usage : moteur classement [--resultats FICHIER] FICHIER...\n"
    "\n"
    "Le classement des parties enregistrées d'un tournoi (moteur tournoi\n"
    "--enregistrer), ses tranches réunies : chaque partie une fois, toutes du même\n"
    "tournoi.\n"
    "\n"
    "Options :\n";

const char *const AIDE_NAVIGATEUR =
    "usage : moteur navigateur [OPTIONS] PROGRAMME\n"
    "\n"
    "Vous jouez contre PROGRAMME dans le navigateur : le moteur sert la page sur\n"
    "127.0.0.1 et affiche son adresse, qui porte un secret (il l'ouvre avec\n"
    "xdg-open s'il y a un écran). Cliquez une de vos colonnes, puis la case où\n"
    "elle va ; au clavier, les flèches et Entrée. Une partie à la fois, chacune\n"
    "de la couleur choisie ; votre temps n'est pas limité. Fermer la page\n"
    "abandonne la partie en cours et finit la session ; Ctrl-C aussi, sans\n"
    "compter la partie en cours.\n"
    "\n"
    "Options :\n"
    "      --port P                écoute sur le port P (par défaut : un port libre)\n"
    "      --enregistrer FICHIER   ajoute chaque partie finie à FICHIER\n"
    "      --graine S              graine de la première partie, S+1 de la deuxième...\n"
    "                              (par défaut : l'horloge, affichée)\n"
    "      --temps SECONDES        temps par coup du programme (10 par défaut)\n"
    "      --livre FICHIER         départ de chaque partie tiré des positions de FICHIER\n"
    "      --strict                coup absent ou hors de la liste du programme :\n"
    "                              partie perdue\n"
    "  -h, --help                  affiche cette aide\n";

const char *const AIDE_LIVRE =
    "usage : moteur livre [--coups K] [--nombre N] [--ecart V] [--graine S] > LIVRE\n"
    "\n"
    "Écrit sur la sortie standard un livre de départs équilibrés, pour --livre :\n"
    "des positions après K coups tirés au hasard, chacune gardée quand la recherche\n"
    "de joueur_fort (celle d'un de ses tours) la juge à V près de l'égalité pour\n"
    "le camp au trait, sans doublon. Chaque ligne porte la position puis, en\n"
    "commentaire, ce jugement ; l'en-tête redit la commande.\n"
    "\n"
    "Options :\n"
    "      --coups K   coups tirés au hasard avant chaque départ (4 par défaut)\n"
    "      --nombre N  départs du livre (300 par défaut)\n"
    "      --ecart V   valeur de la recherche au plus V loin de 0 (20 par défaut ;\n"
    "                  une colonne d'avance vaut environ 200)\n"
    "      --graine S  graine des départs (par défaut : l'horloge, dans l'en-tête)\n"
    "  -h, --help      affiche cette aide\n"
    "\n"
    "Statut de sortie : 0 si le livre est complet, 1 si trop peu de positions\n"
    "passent le jugement, 2 si la ligne de commande est fausse.\n";

} // namespace

std::string texteAide(Commande c)
{
    switch (c) {
    case Commande::Verifier: return AIDE_VERIFIER;
    case Commande::Page:
        return hote::texte(AIDE_PAGE, static_cast<unsigned long long>(PAGE_OCTETS_MAX >> 20));
    case Commande::Rejouer: return AIDE_REJOUER + lignesDAide({c});
    case Commande::Tournoi: return AIDE_TOURNOI + lignesDAide({c});
    case Commande::Classement: return AIDE_CLASSEMENT + lignesDAide({c});
    case Commande::Match: break;
    case Commande::Navigateur: return AIDE_NAVIGATEUR;
    case Commande::Livre: return AIDE_LIVRE;
    case Commande::Joueurs: break;
    }
    return aideGenerale();
}

} // namespace moteur
