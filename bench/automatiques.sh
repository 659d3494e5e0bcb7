# The kit's 24 automatic players, in the order of the README's table: read
# (with `.`) by the benchmark scripts, which play them when given no players.
AUTOMATIQUES="joueur_poids joueur_score joueur_empeche joueur_garder joueur_boucle
  joueur_rapport joueur_direct joueur_bref joueur_coins joueur_isoler joueur_sept
  joueur_fonctions joueur_strategies joueur_critique joueur_critique2 joueur_critique3
  joueur_isole joueur_sisole joueur_priorite joueur_hasard joueur_fin joueur_fin2
  joueur_topo joueur_ouverture"
