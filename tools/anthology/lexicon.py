# -*- coding: utf-8 -*-
"""Word material for the Lantor anthology generator.

Notation used in the strings below (parsed by tools/gen_anthology.py):
  nouns   "sg/pl" or "sg" (no plural use); a leading "!" means the noun takes
          no article (possessives, names such as "Isten"); "{v1/v1pl;v2}"
          after a noun gives its own verbs instead of the class verbs.
  verbs   "3sg/3pl" present tense, or "3sg" when only singular subjects fit.
  lists   items separated by commas.
Everything is lower case except proper names; titles are upper case.
"""

# Subject classes shared by all themes: nouns, intransitive verbs that fit
# them in any season, and attributive adjectives.
CLASSES = {
    'light': dict(
        nouns="csillag/csillagok, hold, nap, fény/fények, lámpa/lámpák, gyertya/gyertyák, "
              "mécses/mécsesek, sugár/sugarak, tűz/tüzek, láng/lángok",
        verbs="ragyog/ragyognak, remeg/remegnek, dereng/derengenek, lobog/lobognak, "
              "hunyorog/hunyorognak, fénylik/fénylenek, csillog/csillognak, pislákol/pislákolnak, "
              "kigyúl/kigyúlnak, világít/világítanak, halványul/halványulnak, lángol/lángolnak, "
              "kialszik/kialszanak, reszket/reszketnek",
        adj="sápadt, halvány, fényes, arany, ezüst, tiszta, messzi, vörös, izzó, kék, árva, kis, néma"),
    'sound': dict(
        nouns="harang/harangok, ének/énekek, dal/dalok, hegedű/hegedűk, furulya/furulyák, "
              "nóta/nóták, hang/hangok, zene",
        verbs="szól/szólnak, zúg/zúgnak, cseng/csengenek, elhallgat/elhallgatnak, sír/sírnak, "
              "zeng/zengenek, búg/búgnak, elhal/elhalnak, száll/szállnak, hív/hívnak, "
              "szárnyal/szárnyalnak, elnémul/elnémulnak, remeg/remegnek, kondul/kondulnak",
        adj="halk, régi, mély, bús, szomorú, tiszta, messzi, távoli, vidám, lassú, árva, kis, szelíd"),
    'water': dict(
        nouns="folyó/folyók, patak/patakok, víz/vizek, hullám/hullámok, tó/tavak, forrás/források, "
              "Tisza, Duna, Maros, Körös",
        verbs="csobog/csobognak, zúg/zúgnak, folyik/folynak, ring/ringanak, csillog/csillognak, "
              "hallgat/hallgatnak, árad/áradnak, siet/sietnek, kanyarog/kanyarognak, "
              "sóhajt/sóhajtanak, fut/futnak, mormol/mormolnak, suttog/suttognak, fénylik/fénylenek, "
              "dalol/dalolnak, csillámlik/csillámlanak",
        adj="sebes, csendes, mély, szürke, zöld, kék, hűs, tiszta, zavaros, lassú, szőke, hideg, "
            "sötét, széles, kanyargó"),
    'plant': dict(
        nouns="fa/fák, ág/ágak, virág/virágok, rózsa/rózsák, fű/füvek, levél/levelek, nyárfa/nyárfák, "
              "akác/akácok, fűzfa/fűzfák, jegenye/jegenyék, nád/nádak, lomb/lombok, hárs/hársak, "
              "diófa/diófák, bokor/bokrok, tölgy/tölgyek, nefelejcs/nefelejcsek",
        verbs="remeg/remegnek, susog/susognak, hajladoz/hajladoznak, bólogat/bólogatnak, "
              "álmodik/álmodnak, hallgat/hallgatnak, sóhajt/sóhajtanak, ring/ringanak, "
              "virraszt/virrasztanak, hajlik/hajlanak, zizeg/zizegnek, suttog/suttognak",
        adj="karcsú, öreg, magas, árva, vén, sudár, kis, fehér, halk, csendes, néma, szép, drága"),
    'place': dict(
        nouns="falu/falvak, kert/kertek, ház/házak, udvar/udvarok, város/városok, utca/utcák, határ, "
              "mező/mezők, erdő/erdők, domb/dombok, táj/tájak, puszta, tanya/tanyák, völgy/völgyek, "
              "hegy/hegyek, templom/templomok, temető/temetők, rét/rétek, liget/ligetek, "
              "kapu/kapuk, ablak/ablakok",
        verbs="alszik/alszanak, hallgat/hallgatnak, álmodik/álmodnak, pihen/pihennek, vár/várnak, "
              "ébred/ébrednek, virraszt/virrasztanak, szunnyad/szunnyadnak, elnémul/elnémulnak, "
              "bóbiskol/bóbiskolnak, mereng/merengenek, nyugszik/nyugszanak, dereng/derengenek",
        adj="csendes, néma, árva, régi, kis, öreg, messzi, szürke, elhagyott, sötét, poros, "
            "szegény, kedves, ismerős, álmos, fehér, ezüst"),
    'air': dict(
        nouns="szél/szelek, felhő/felhők, szellő/szellők, vihar/viharok, "
              "ég{borong;ragyog;hallgat;sötétül;kéklik;dereng}",
        verbs="zúg/zúgnak, fúj/fújnak, kavarog/kavarognak, száll/szállnak, süvít/süvítenek, "
              "jajgat/jajgatnak, kószál/kószálnak, susog/susognak, sóhajt/sóhajtanak, "
              "kering/keringenek, vándorol/vándorolnak, sír/sírnak, elül/elülnek, úszik/úsznak",
        adj="hideg, hűs, langyos, szürke, fehér, vad, sötét, fáradt, kósza, messzi, bús, halk"),
    'bird': dict(
        nouns="madár/madarak, galamb/galambok, rigó/rigók, pacsirta/pacsirták, fülemüle/fülemülék, "
              "csalogány/csalogányok",
        verbs="dalol/dalolnak, száll/szállnak, énekel/énekelnek, szól/szólnak, hallgat/hallgatnak, "
              "elrepül/elrepülnek, kering/keringenek, fütyül/fütyülnek, csicsereg/csicseregnek, "
              "rebben/rebbennek",
        adj="kis, fekete, fehér, szürke, fáradt, árva, vidám, könnyű, fürge, bús"),
    'heart': dict(
        nouns="!szívem, !lelkem, !vágyam, !bánatom, !álmom, !reményem, !emlékem, !dalom",
        verbs="fáj, remeg, sajog, vár, reszket, dobog, sír, álmodik, emlékezik, dalol, hallgat, "
              "virraszt, vérzik, zokog, fázik, pihen, nyugszik, elcsitul, megpihen, mereng",
        adj="fáradt, árva, bús, szegény, csendes, néma, vén, beteg, szomorú, nyugtalan, sebzett"),
    'person': dict(
        nouns="!anyám, !apám, vándor/vándorok, pásztor/pásztorok, katona/katonák, "
              "paraszt/parasztok, asszony/asszonyok, gyermek/gyermekek, halász/halászok, "
              "koldus/koldusok, lány/lányok",
        verbs="ballag/ballagnak, vár/várnak, hallgat/hallgatnak, imádkozik/imádkoznak, "
              "dolgozik/dolgoznak, pihen/pihennek, alszik/alszanak, énekel/énekelnek, sír/sírnak, "
              "mosolyog/mosolyognak, fázik/fáznak, indul/indulnak, hazatér/hazatérnek, "
              "virraszt/virrasztanak, álmodik/álmodnak, mesél/mesélnek, dúdol/dúdolnak, "
              "sóhajt/sóhajtanak, integet/integetnek, mereng/merengenek",
        adj="öreg, fáradt, szegény, árva, csendes, fiatal, szelíd, bús, jó, ősz"),
    'time': dict(
        nouns="",
        verbs="jön/jönnek, közeleg/közelegnek, elmúlik/elmúlnak, elmegy/elmennek, leszáll/leszállnak, "
              "múlik/múlnak, érkezik/érkeznek, elszáll/elszállnak, tovatűnik/tovatűnnek, "
              "ballag/ballagnak, hallgat/hallgatnak",
        adj="hűvös, hideg, csendes, késő, hosszú, néma, szelíd, fáradt, bús, langyos, szép"),
    'thee': dict(
        nouns="!szemed{ragyog;csillog;nevet;mosolyog;könnyezik}, !hajad{lobog;illatozik;hullámzik}, "
              "!kezed{remeg;int;pihen;simogat}, !hangod{cseng;szól;dalol;hív}, "
              "!ajkad{mosolyog;remeg;hív;nevet}, !szíved{dobog;remeg;vár;dalol}, "
              "!mosolyod{ragyog;világít;tündököl}",
        verbs="",
        adj="szép, kedves, drága, szelíd, tiszta, édes, halk"),
}

# Adverbials that suit every theme.  Phrases with a space may stand between
# subject and verb; single words only before the verb or at the line's end.
ADVERBS = ("a domb mögött, a fák alatt, a kert végén, az ablak előtt, a ház előtt, a réten, "
           "a falu szélén, a kapuban, a völgyben, a mezőn, a hegyen túl, az ég alatt, a csendben, "
           "a sötétben, a fényben, a hold alatt, a messzeségben, a határban, a kertek alján, "
           "az utca végén, a parton, a templom mögött, a torony alatt, a ház mögött, "
           "a dombtetőn, a kút mellett, csendesen, lassan, halkan, szelíden, némán, messze, "
           "megint, újra, még, már, mindig, most, ma este, este, éjjel, hajnalban, ma éjjel, "
           "alkonyatkor, késő este, estefelé, odakint, szüntelen, örökké")

# Lines of the poet's own voice that suit any theme.
GENERAL_LINES = [
    "ilyenkor mindig rád gondolok",
    "nem kérdezem, hová megyek",
    "a csend is beszél, ha hallgatok",
    "a szívem mélyén dal születik",
    "minden útnak vége van",
    "egy pillanat, és elmúlik minden",
    "hallgatom a régi dalt",
    "a lelkem csendes, mint a tó",
    "nincs más, csak ez a pillanat",
    "jó volna most megpihenni",
    "talán holnap másképp lesz",
    "az élet rövid, mint a nyár",
    "egyszer minden szó elhallgat",
    "a fény mindig visszatér",
    "ma is hiszek a holnapban",
    "nem félek már a sötéttől",
    "a kezemben egy marék föld",
    "minden percnek súlya van",
]

THEMES = {
    'tavasz': dict(
        titles="TAVASZ, TAVASZI DAL, ÁPRILIS, MÁRCIUSI SZÉL, MÁJUSI ÉJSZAKA, RÜGYFAKADÁS, ÉBREDÉS, "
               "VIRÁGZÓ AKÁC, ORGONA, IBOLYA, TAVASZI ESŐ, HÚSVÉT, FECSKÉK, KIKELET, TAVASZI REGGEL, "
               "ÚJ TAVASZ, TAVASZI SZELLŐ, A KERT ÉBREDÉSE, BARKA, ZÖLD ÁG, ÁPRILISI ESTE, MÁJUS, "
               "CSERESZNYEVIRÁG, TAVASZI ERDŐ, RÜGYEZŐ FÁK, HÓVIRÁG, MÁRCIUS, VIRÁGZÓ RÉT, "
               "TAVASZI ÉNEK, ÚJ FŰ A RÉTEN",
        classes="light, plant, place, air, bird, heart, water, time",
        nouns=dict(time="a tavasz, az április, a május, a reggel/reggelek, a kikelet, a március",
                   plant="rügy/rügyek, barka/barkák, hóvirág/hóvirágok, cseresznyefa/cseresznyefák, "
                         "orgona/orgonák, ibolya/ibolyák",
                   bird="fecske/fecskék, gólya/gólyák, méh/méhek{zümmög/zümmögnek;dong/donganak;száll/szállnak}, "
                        "lepke/lepkék{száll/szállnak;libben/libbennek;kering/keringenek}"),
        verbs=dict(plant="virágzik/virágoznak, nyílik/nyílnak, zöldell/zöldellnek, rügyezik/rügyeznek, "
                         "kihajt/kihajtanak, illatozik/illatoznak",
                   bird="hazatér/hazatérnek, megérkezik/megérkeznek",
                   place="zöldell/zöldellnek, virul/virulnak, ébredezik/ébredeznek",
                   water="olvad/olvadnak, árad/áradnak"),
        adj="tavaszi, áprilisi, májusi, friss, zsenge, üde, virágos, zöld, illatos, langyos",
        adv="tavasszal, a friss füvön, a zöld mezőn, a virágos kertben, az ág hegyén, a napsütésben, "
            "reggel, a rügyek között, végre, a langyos szélben, a kék ég alatt",
        lines=[
            "újra itt a kikelet", "kinyílt a kert, kinyílt a szívem", "a fecske már fészket rak",
            "ma minden ág virágba borul", "nevet a nap az ablakon", "zöld ruhát ölt a régi rét",
            "az orgona lila lángja ég", "elmúlt a tél, elolvadt a hó", "a barka ezüstje csillog",
            "gyermekként futnék a réten át", "szívemben is kihajt a remény",
            "kék ég alatt dalol a pacsirta", "illatos szél jön a domb felől", "a patak újra énekel",
            "ébred a föld, és ébredek én", "mezítláb futnak a gyerekek",
            "a cseresznyefa fehér menyasszony", "minden rügyben egy ígéret alszik",
            "a napfény aranyat szór a rétre", "hallod, kedves, zeng a kikelet",
            "a gólya a kémény tetején kelepel", "a szántón friss barázda fénylik",
        ]),
    'nyar': dict(
        titles="NYÁR, NYÁRI DÉL, ARATÁS, KÁNIKULA, NYÁRI ESTE, JÚLIUS, AUGUSZTUS, NYÁRI ZIVATAR, "
               "BÚZAMEZŐ, PIPACS, A RÉTEN, NYÁRESTI DAL, ARATÓK, NYÁRI ÉJSZAKA, DÉLIBÁB, HŐSÉG, "
               "TÜCSÖKZENE, SZÉNAILLAT, A NAPRAFORGÓ, NYÁRUTÓ, KASZÁSOK, NYÁRI FÉNY, ZIVATAR ELŐTT, "
               "FORRÓ DÉLUTÁN, TARLÓ, A BÚZA, NYÁRI HOLD, ÉRETT KALÁSZ",
        classes="light, plant, place, air, bird, person, water, time",
        nouns=dict(time="a nyár, a dél, a délután/délutánok, a július, az augusztus",
                   plant="búza, pipacs/pipacsok, kalász/kalászok, napraforgó/napraforgók, "
                         "kukorica, szőlő/szőlők",
                   bird="tücsök/tücskök{ciripel/ciripelnek;hegedül/hegedülnek;hallgat/hallgatnak}, "
                        "méh/méhek{zümmög/zümmögnek;dong/donganak;száll/szállnak}, "
                        "lepke/lepkék{száll/szállnak;libben/libbennek;kering/keringenek}",
                   person="arató/aratók, kaszás/kaszások",
                   light="délibáb"),
        verbs=dict(plant="érik/érnek, aranylik/aranylanak, illatozik/illatoznak",
                   person="arat/aratnak, kaszál/kaszálnak",
                   light="tűz/tűznek, perzsel/perzselnek, izzik/izzanak, vibrál/vibrálnak",
                   place="izzik/izzanak, tikkad/tikkadnak"),
        adj="nyári, forró, aranyló, érett, tikkadt, déli, sárga, fülledt, izzó, augusztusi",
        adv="a tűző napon, délben, a búzamezőn, a poros úton, a nádas mellett, a hűs árnyékban, "
            "a fák árnyékában, a tarlón, nyáron, a forró délben",
        lines=[
            "a búza érett aranya ring", "a tarlón tücsök hegedül", "kaszát fen az öreg arató",
            "lassan érik a kalász", "a délibáb tükre csillog", "a porban ballag a szekér",
            "izzik a nyár, a föld kiszárad", "a kútnál hűs vizet iszom",
            "zivatar jön a hegyek felől", "a nyárfák alatt hűvös az árnyék",
            "a pipacs lángja ég a búzában", "egy felhő sem úszik az égen",
            "estére elcsitul a határ", "a vándor megpihen a fa alatt", "ma oly nehéz a nyári csend",
            "szénaillat száll a réten", "tücsökzene szól a kert alatt",
            "a gyerekek a folyóban fürdenek", "mint ringó bölcső, ring a nyár",
            "a kaszások dala messze száll", "a napraforgó a napot lesi",
        ]),
    'osz': dict(
        titles="ŐSZ, ŐSZI ESTE, ŐSZI DAL, NOVEMBER, OKTÓBER, SZEPTEMBER, LOMBHULLÁS, HERVADÁS, SZÜRET, "
               "KÖD, ŐSZI ESŐ, ŐSZUTÓ, HULLÓ LEVELEK, DARVAK, ŐSZI TÁJ, HALOTTAK NAPJA, ŐSZI KERT, "
               "ESŐS DÉLUTÁN, VÉNASSZONYOK NYARA, ELKÉSETT RÓZSA, ALKONYI KÖD, SZÜRKE ÉG, ELMÚLÁS, "
               "SZÉL A KERTBEN, DIÓHULLÁS, AVAR, SÁRGA LEVÉL, RŐZSETŰZ, KÉSŐ ŐSZ",
        classes="light, plant, place, air, bird, heart, water, time",
        nouns=dict(time="az ősz, az este/esték, a november, az október, az alkony, a délután/délutánok",
                   air="köd/ködök{ül/ülnek;lebeg/lebegnek;terjeng/terjengenek;száll/szállnak;gomolyog/gomolyognak}, "
                       "eső/esők{szitál/szitálnak;kopog/kopognak;esik/esnek;hull/hullanak;zuhog/zuhognak}",
                   bird="daru/darvak, fecske/fecskék, varjú/varjak{károg/kárognak;ül/ülnek;hallgat/hallgatnak;kering/keringenek}"),
        verbs=dict(plant="hervad/hervadnak, hull/hullanak, sárgul/sárgulnak, lehull/lehullanak, "
                         "elszárad/elszáradnak, pereg/peregnek",
                   bird="elköltözik/elköltöznek, vonul/vonulnak, útra kel/útra kelnek",
                   place="fázik/fáznak, didereg/dideregnek",
                   heart="hervad"),
        adj="őszi, októberi, novemberi, rozsdás, sárga, hervadt, ködös, nedves, hűvös, bágyadt, késő",
        adv="ősszel, a ködben, a hűvös estén, a hervadt kertben, az avarban, a szürke ég alatt, "
            "a csupasz ágon, az eső után, a ködös határban",
        lines=[
            "az ősz aranyat szór a kertre", "a fákról csendben hull a levél",
            "ködbe bújt a régi templom", "a darvak délre vonulnak", "elmúlt a nyár, elmúlt a dal",
            "hervadt rózsát tartok a kezemben", "a szél az avarban motoz",
            "a szüret után üres a domb", "a pince mélyén forr az újbor", "az ablakon kopog az eső",
            "fázós kézzel gyújtok tüzet", "szívemre is leszáll a köd", "sárga levél, te is elmész",
            "a kert végén füstöl a rőzse", "hosszabb az este, rövidebb a nap",
            "a tó vizén ezüst a köd", "csupasz ágon varjú ül", "a diófa alatt dió koppan",
            "a mezőn üres a tarló", "a szőlőhegyen már szüretelnek",
        ]),
    'tel': dict(
        titles="TÉL, TÉLI ESTE, HÓESÉS, DECEMBER, JANUÁR, FEBRUÁR, KARÁCSONY, JÉGVIRÁG, TÉLI TÁJ, "
               "FAGY, ZÚZMARA, TÉLI ÉJSZAKA, A KÁLYHA MELLETT, HÓBAN, FEHÉR CSEND, BEFAGYOTT TÓ, "
               "TÉLI ALKONY, ÚJÉV, SZILVESZTER, HÓVIHAR, JÉGCSAPOK, VARJAK A HÓBAN, DÉR, TÉLI FÉNY, "
               "KARÁCSONYESTE, FAGYOS REGGEL, TÉLI TEMETŐ, TŰZ MELLETT, FAGYOS ERDŐ, HÓ ALATT A MEZŐ",
        classes="light, plant, place, air, person, heart, water, time",
        nouns=dict(time="a tél, a december, a január, az éjszaka/éjszakák, a karácsony, a február",
                   air="hó{hull;szitál;kavarog;csikorog;ropog;fehérlik;hallgat}, fagy, dér{ül;csillog;fehérlik}, "
                       "zúzmara{csillog;fehérlik;ül}, hóvihar/hóviharok",
                   light="kályha/kályhák{duruzsol/duruzsolnak;pattog/pattognak;melegít/melegítenek}",
                   person="!nagyanyám, !nagyapám"),
        verbs=dict(place="didereg/dideregnek, fázik/fáznak, fehérlik/fehérlenek",
                   plant="fázik/fáznak, didereg/dideregnek, alszik/alszanak",
                   water="alszik/alszanak, befagy/befagynak",
                   light="pattog/pattognak"),
        adj="téli, decemberi, januári, fehér, fagyos, dermedt, jeges, havas, deres, zúzmarás",
        adv="a hóban, a fagyban, télen, a havas tájon, a jeges úton, az ablak mögött, "
            "a kályha mellett, a fehér csendben, a befagyott tavon, a dermedt kertben",
        lines=[
            "fehér lepel borul a tájra", "a kályha mellett ül anyám",
            "a jégvirág kinyílt az ablakon", "csikorog a hó a lábam alatt",
            "a szánkó csengője cseng", "a varjak a havon lépkednek", "karácsony este gyertya ég",
            "hallgat a dermedt, fehér határ", "a tó jegén a hold fehérlik",
            "ropog a tűz, meleg a szoba", "a hó alatt a vetés alszik",
            "a fagy virágot fest az üvegre", "egész éjjel hullott a hó", "nem jár senki az úton",
            "a csend is fázik odakint", "a gyermekek a dombon szánkóznak",
            "a tél is elmúlik egyszer", "fehér a háztető, fehér a kert",
            "a kéményből kék füst száll",
        ]),
    'ej': dict(
        titles="ÉJSZAKA, CSILLAGOK, HOLDFÉNY, ÉJFÉL, ESTI DAL, ALKONY, ÉJI DAL, ÉBREN, ÁLMATLANSÁG, "
               "CSILLAGÉG, ÉJSZAKAI UTCA, NOKTÜRN, HOLDAS ÉJ, ÉJJELI VIRRASZTÁS, SZENTIVÁNÉJ, A HOLD, "
               "ESTHAJNALCSILLAG, SÖTÉTBEN, CSENDES ÉJ, ÉJFÉLI ERDŐ, ESTI FELHŐK, "
               "TÜNDÖKLŐ CSILLAGOK, HULLÓCSILLAG, ESTE, ÉJI ÓRÁK, ALVÓ VILÁG, ÉJJEL A KERTBEN",
        classes="light, place, air, heart, water, time, bird",
        nouns=dict(time="az éj, az éjszaka/éjszakák, az éjfél, az este/esték, az alkony",
                   bird="bagoly/baglyok{huhog/huhognak;virraszt/virrasztanak;hallgat/hallgatnak}, "
                        "denevér/denevérek{cikázik/cikáznak;kering/keringenek;suhan/suhannak}, "
                        "tücsök/tücskök{ciripel/ciripelnek;hegedül/hegedülnek;hallgat/hallgatnak}"),
        verbs=dict(light="vándorol/vándorolnak, úszik/úsznak, virraszt/virrasztanak",
                   time="virraszt/virrasztanak"),
        adj="éji, éjszakai, esti, csillagos, holdas, sötét, fekete, álmos, mély, ezüst",
        adv="ma éjjel, éjfélkor, a holdfényben, a csillagok alatt, az ég peremén, a néma éjben, "
            "a felhők mögött, a tetők fölött",
        lines=[
            "fölöttem ég a csillagos ég", "a hold ezüst hajót ringat",
            "nem alszom, csak hallgatom a csendet", "az éjszaka fekete kendő",
            "minden csillag egy régi név", "a sötétben egy ablak világít", "az órák lassan peregnek",
            "a holdfény a párnámra hull", "éjfélt üt a toronyóra", "a csend mélyén szívem dobog",
            "csillagokat számolok", "álmatlanul virrasztok", "a Göncölszekér lassan fordul",
            "egy hulló csillag elsuhan", "a hold a tó vizébe néz", "a sötétség puha bársony",
            "az égen ezer gyertya ég", "hallgat a föld, és hallgatok én",
            "az álom elkerül ma éjjel",
        ]),
    'folyo': dict(
        titles="A TISZA PARTJÁN, A DUNÁNÁL, FOLYÓPART, A RÉVNÉL, TISZAI ESTE, DUNAI KÉP, A FOLYÓ, "
               "HALÁSZOK, ÁRVÍZ, A KOMP, A NÁDASBAN, PATAK, A MAROS, KÖRÖS-PART, VÍZPARTON, A GÁTON, "
               "FŰZFÁK A PARTON, SZŐKE TISZA, HAJNAL A FOLYÓN, ÁRADÁS, A HÍD ALATT, "
               "MALOM A PATAKON, HOLTÁG, EVEZŐS, FOLYÓ MENTÉN, A TÚLSÓ PART, CSÓNAK",
        classes="water, plant, light, bird, person, air, place",
        nouns=dict(place="part/partok, rév, gát/gátak, nádas/nádasok, sziget/szigetek",
                   water="csónak/csónakok{ring/ringanak;úszik/úsznak;siklik/siklanak;pihen/pihennek;vár/várnak}, "
                         "komp{indul;úszik;pihen;vár;átkel}, hajó/hajók{úszik/úsznak;indul/indulnak;siklik/siklanak}",
                   bird="gém/gémek{áll/állnak;hallgat/hallgatnak;száll/szállnak}, "
                        "vadkacsa/vadkacsák{úszik/úsznak;száll/szállnak;hápog/hápognak}",
                   person="révész/révészek"),
        verbs=dict(person="evez/eveznek, halászik/halásznak"),
        adj="esti, hajnali, tiszai, parti, csendes",
        adv="a nádas mellett, a fűzfák alatt, a víz fölött, a túlsó parton, a gát alatt, a híd alatt, "
            "a folyó mentén, a révnél, a habokon, a sziget mellett, a part alatt",
        lines=[
            "a Tisza lassan, szőkén folyik", "a révész a partra vár", "a víz tükrében ég a nap",
            "a fűzfa a vízbe hajlik", "ülök a parton, nézem a vizet",
            "a habok régi dalt mesélnek", "a nádas zúg, a szél susog",
            "a víz viszi a sárga levelet", "a komp lassan átkel a folyón",
            "a halász hálót vet a vízbe", "a folyó partján nőttem fel",
            "a víz sosem fordul vissza", "az ár elvitte a régi hidat",
            "a Duna vize szürke és széles", "a csónak orrán ül a csend",
            "a folyó is a tengerbe vágyik", "a holtág vizén alszik a hold",
            "gyermekkorom a vízben ring", "a parton fénylik a fövény",
        ]),
    'falu': dict(
        titles="A FALU, SZÜLŐFALUM, HAZAFELÉ, A RÉGI HÁZ, AZ UDVAR, A KÚT, TANYA, AZ ÖREG KAPU, "
               "VASÁRNAP, A TEMPLOM, FALUSI ESTE, A KERT, OTTHON, AZ ALFÖLD, A PUSZTÁN, PITVAR, "
               "A HÁZ ELŐTT, VÁSÁR, ESTI HARANGSZÓ, TEMETŐ A DOMBON, NAGYAPÁM, A MALOM, A GÉMESKÚT, "
               "FALUVÉGEN, DÉLI HARANG, A TORNÁCON, SZÜLŐI HÁZ, A KEMENCE",
        classes="place, sound, plant, person, bird, light, heart, air",
        nouns=dict(plant="eperfa/eperfák, szilvafa/szilvafák",
                   bird="kutya/kutyák{ugat/ugatnak;csahol/csaholnak;alszik/alszanak;hallgat/hallgatnak}, "
                        "ló/lovak{legel/legelnek;pihen/pihennek;nyerít/nyerítenek}, "
                        "kakas/kakasok{kukorékol/kukorékolnak;szól/szólnak}, "
                        "gólya/gólyák{kelepel/kelepelnek;áll/állnak;száll/szállnak}",
                   person="!nagyanyám, !nagyapám",
                   place="tornác/tornácok, pitvar, gémeskút{áll;hallgat;mereng}, malom/malmok"),
        verbs=dict(person="szánt/szántanak, kapál/kapálnak"),
        adj="falusi, alföldi, meszelt, kis, öreg, régi, kedves, ismerős",
        adv="a falu végén, a kapu előtt, az udvaron, a pitvarban, a kertek alatt, az akácok alatt, "
            "a poros úton, vasárnap, otthon, a tornácon",
        lines=[
            "anyám a kapuban áll", "a gémeskút az égre mutat", "a kemencében ég a tűz",
            "a pitvarban alszik a macska", "apám a földet szántja", "a harang delet harangoz",
            "a tornácon ül nagyapám", "itt születtem, itt nőttem fel", "a kertben érik a szilva",
            "este a nyáj hazatér", "poros úton jön a szekér", "minden kő ismer még",
            "a templom tornya messze látszik", "a kocsmából nóta szól",
            "a kapu nyikorog a szélben", "gyermekként itt futottam én",
            "a kút vizében ég a hold", "a falu fölött füst kering", "hazavágyom, hazamegyek",
            "a régi ház már összedőlt",
        ]),
    'varos': dict(
        titles="A VÁROS, BUDAPEST, ESTE A KÖRÚTON, KÜLVÁROS, UTCA, GÁZLÁMPÁK, VILLAMOS, "
               "A PÁLYAUDVAR, BÉRHÁZ, ESŐS UTCA, KÁVÉHÁZ, A HÍDON, NAGYVÁROSI ÉJ, GYÁRKÉMÉNYEK, "
               "MUNKÁSOK, A LIGETBEN, HAJNALI UTCA, KIRAKAT, VASÁRNAPI VÁROS, A KÖRÚT, A TÉREN, "
               "ABLAKOK, TÉLI UTCA, KÜLVÁROSI ŐSZ, SZÜRKE FALAK, ÉJJELI VONAT, A BÉRKASZÁRNYA",
        classes="place, light, sound, person, heart, air, bird",
        nouns=dict(place="tér/terek, híd/hidak, bérház/bérházak, gyár/gyárak, kávéház/kávéházak, "
                         "állomás/állomások, körút",
                   light="gázlámpa/gázlámpák, kirakat/kirakatok",
                   sound="villamos/villamosok{csenget/csengetnek;zörög/zörögnek;csikorog/csikorognak;fordul/fordulnak}, "
                         "vonat/vonatok{füttyent/füttyentenek;zakatol/zakatolnak;indul/indulnak;dübörög/dübörögnek}, "
                         "gyárkémény/gyárkémények{füstöl/füstölnek;mered/merednek;hallgat/hallgatnak}, "
                         "toronyóra{üt;hallgat;ketyeg}",
                   person="munkás/munkások, járókelő/járókelők, "
                          "rikkancs/rikkancsok{kiabál/kiabálnak;siet/sietnek;fut/futnak}"),
        verbs=dict(place="zajong/zajonganak, zúg/zúgnak", person="siet/sietnek, fut/futnak"),
        adj="nagyvárosi, szürke, kormos, poros, nedves, fáradt, zajos, idegen, hideg, sötét",
        adv="a körúton, a sarkon, a téren, a hídon, a kirakatok előtt, az ablakok mögött, "
            "az aszfalton, a ködös utcán, a lámpák alatt, a külvárosban",
        lines=[
            "a körúton zúg az élet", "a gázlámpák sárga fénye reszket",
            "a kávéházban füst gomolyog", "idegen arcok jönnek-mennek",
            "a gyárkémény az égbe mered", "a bérházban egy gyerek sír",
            "a híd alatt szürke a Duna", "a villamos csengetve fordul",
            "a kirakatban ragyog a fény", "senki sem ismer a városban",
            "a kövezeten koppan a lépés", "a munkások hazafelé mennek",
            "az eső végigfolyik az üvegen", "hajnalban a város lassan ébred",
            "a padon egy öreg alszik", "a mozi előtt tolong a nép",
            "vidéki szívem itt is dalol", "a háztetők fölött galamb kering",
        ]),
    'haboru': dict(
        titles="HÁBORÚ, A FRONTON, LÖVÉSZÁROK, KATONADAL, TÁBORI LEVÉL, HADIFOGSÁGBAN, SEBESÜLTEK, "
               "A HŐSI HALOTTAK, BÚCSÚ, ÁGYÚSZÓ, A SZÁMŰZÖTT, BÉKE, HAZATÉRÉS, ÖZVEGYEK, RIADÓ, "
               "ÉJSZAKAI ŐRSÉG, KATONASÍR, ELESETT BAJTÁRS, KÖNYÖRGÉS BÉKÉÉRT, A FÉNYEK KIALUDTAK, "
               "SÖTÉTÍTÉS, LÉGIRIADÓ, ROMOK KÖZÖTT, ÚJONCOK, MENETELŐK, 1914, HÁBORÚS ŐSZ",
        classes="person, sound, place, air, light, heart, time",
        nouns=dict(person="bajtárs/bajtársak, özvegy/özvegyek, újonc/újoncok, sebesült/sebesültek",
                   sound="ágyú/ágyúk{dörög/dörögnek;hallgat/hallgatnak;szól/szólnak;bömböl/bömbölnek}, "
                         "dob/dobok{pereg/peregnek;szól/szólnak;elhallgat/elhallgatnak}, "
                         "kürt/kürtök{harsan/harsannak;szól/szólnak;riad/riadnak}",
                   place="lövészárok/lövészárkok, tábor/táborok, föld/földek",
                   air="füst/füstök{száll/szállnak;gomolyog/gomolyognak;terjeng/terjengenek}, hó",
                   time="a háború, az éj, a tél, a hajnal/hajnalok"),
        verbs=dict(person="menetel/menetelnek, őrködik/őrködnek, vár/várnak"),
        adj="véres, sebzett, fáradt, szürke, kormos, árva, néma, hideg, távoli, idegen, fekete, sáros",
        adv="a fronton, a lövészárokban, a sárban, a drótakadály mögött, idegen földön, a hó alatt, "
            "a romok között, a hadak útján, a tűzvonalban",
        lines=[
            "anyám, ne sírj, hazajövök", "a drótakadály mögött fagy a hajnal",
            "ma is dörögnek az ágyúk", "a bajtársam csendesen alszik", "levelet írok a sárban",
            "fehér kereszt áll a domb alatt", "idegen földön hull a hó",
            "mikor lesz vége, Istenem?", "a vonat katonákat visz", "a falu mind a frontra ment",
            "a lövészárok fenekén víz áll", "a rakéták fénye vakít", "a kenyér is elfogyott",
            "özvegyek sírnak a templomban", "a gyermekek apjukat várják",
            "égnek a falvak a láthatáron", "a tábortűz mellett virrasztunk",
            "béke, te drága, hol vagy?", "a föld is vérzik, nem csak a szív",
            "a hadak útján por kering",
        ]),
    'szerelem': dict(
        titles="SZERELEM, DAL, ROMÁNC, NEKED, A KEDVESHEZ, VALLOMÁS, CSÓK, ELSŐ SZERELEM, LEVÉL, "
               "HOZZÁD, SZERENÁD, A TE SZEMED, ESKÜVŐ, VÁRLAK, ÚJRA VELED, A LÁNY, SZÉP ASSZONY, "
               "TITOK, MOSOLY, GYŰRŰ, MÁJUSI SZERELEM, SZERELMES DAL, ÖLELÉS, A KEZED, RÓZSA NEKED, "
               "KETTESBEN, ESTI LEVÉL",
        classes="thee, heart, plant, light, bird, place, sound",
        nouns=dict(person="=!kedvesem, lány/lányok, menyasszony",
                   heart="!szerelmem"),
        verbs=dict(heart="ujjong, nevet, ünnepel"),
        adj="virágos, illatos, májusi, esti",
        adv="melletted, veled, érted, a holdfényben, a kapuban, a lugasban, a fák alatt",
        lines=[
            "szeretlek, mint a nyári eget", "a szemedben ég a tavasz", "várlak a kapuban este",
            "a kezed fehér galamb", "neked írom minden dalom", "a csókod íze édes méz",
            "ha nem vagy itt, a nap sem ég", "egy szál rózsát hoztam neked",
            "a hajadban szellő bujkál", "ketten megyünk az úton", "a te neved a legszebb szó",
            "a szívem csak érted dobog", "ne menj el, maradj velem", "a hangod csengő patak",
            "a világ ma csak a miénk", "megfogom a kezedet", "örökké a tiéd vagyok",
            "a szerelem lángja ég", "mosolyodtól kivirul a rét", "a holdfényben átölellek",
        ]),
    'vagy': dict(
        titles="VÁGYAKOZÁS, HONVÁGY, VÁNDORÚTON, IDEGENBEN, ÚTON, MESSZE, HAZAVÁGYÁS, VÁNDOR, "
               "A VONATABLAKBÓL, LEVÉL HAZA, BÚCSÚ A VÁROSTÓL, VISSZATÉRÉS, A TÁVOLSÁG, AZ ÚT VÉGÉN, "
               "KIKÖTŐBEN, HATÁRON, SZÁMŰZETÉS, MINDIG TOVÁBB, ELVÁGYÓDÁS, MÁSHOL, TENGER, "
               "HAJNALI VONAT, ELINDULÁS, MERENGÉS, ISMERETLEN TÁJ, ÚTKERESZTEZŐDÉS",
        classes="person, place, heart, air, bird, light",
        nouns=dict(place="út/utak, ország/országok, állomás/állomások",
                   air="vonat/vonatok{füttyent/füttyentenek;zakatol/zakatolnak;indul/indulnak;robog/robognak}"),
        verbs=dict(person="vándorol/vándorolnak, visszanéz/visszanéznek, megáll/megállnak, "
                          "búcsúzik/búcsúznak",
                   heart="vágyik, sóvárog"),
        adj="messzi, távoli, idegen, ismeretlen, végtelen, kék",
        adv="idegenben, az úton, a határon túl, a tenger partján, a hegyeken túl, a síneken, "
            "egyedül, régóta, valahol",
        lines=[
            "messze, messze van hazám", "idegen földön járok", "a sínek a végtelenbe futnak",
            "mindig máshova vágyom", "kezemben a vándorbot", "a felhők hazafelé mennek",
            "ha egyszer hazaérek", "egy ablakban még lámpa ég", "a poros úton lépkedek",
            "senki sem vár az állomáson", "a távolság kék fátyol", "az út végén anyám vár",
            "hazám felé száll a madár", "csak egy percre mennék haza",
            "a hegyeken túl más a világ", "idegen nyelven szól a dal",
            "a batyumban kenyér és só", "a tenger zúgása hív",
            "nem tudom, hová vezet az út", "a szívem otthon maradt",
        ]),
    'hit': dict(
        titles="IMA, ESTI IMA, IMÁDSÁG, ZSOLTÁR, A TEMPLOMBAN, HÚSVÉT, KERESZT, KÖNYÖRGÉS, HÁLAADÁS, "
               "URAM, ISTENHEZ, VASÁRNAPI MISE, ANGYAL, HARANGSZÓ, MEGBOCSÁTÁS, FOHÁSZ, GYÓNÁS, HIT, "
               "REMÉNY, A MÉCSES, KEGYELEM, TEREMTŐ, HŰSÉG, BÚJDOSÓ LÉLEK, HAJNALI IMA, ÁLDÁS",
        classes="sound, light, place, person, heart, bird",
        nouns=dict(sound="orgona{zúg;szól;zeng;búg;elhallgat}",
                   person="!Isten{hallgat;vigyáz;virraszt;megbocsát}, "
                          "angyal/angyalok{virraszt/virrasztanak;száll/szállnak;énekel/énekelnek;vigyáz/vigyáznak}",
                   place="kereszt/keresztek{áll/állnak;hallgat/hallgatnak;vár/várnak}, oltár"),
        verbs=dict(heart="remél, imádkozik, hisz, könyörög"),
        adj="szent, áldott, égi, örök, fehér",
        adv="a templomban, az oltár előtt, a kereszt alatt, térden állva, vasárnap, mindenütt, "
            "a csillagok fölött",
        lines=[
            "Uram, hallgasd meg szavam", "térdre borulok előtted", "a mécses lángja égre néz",
            "a kereszt alatt virág nyílik", "bocsásd meg minden bűnömet",
            "az Isten keze fölöttem", "a templom csendje megnyugtat", "hiszek, mert hinni akarok",
            "angyal vigyázza álmomat", "a harang hív az esti imára", "kezedbe teszem életem",
            "a mennyben nincs több fájdalom", "a szegényeknek is jut kenyér",
            "a hit a sötétben is világít", "egy gyertyát gyújtok érted",
            "az irgalom kapuja nyitva", "lelkem fehér, mint a hó", "te vagy az út, te vagy a fény",
            "adj békét, Uram, a világnak",
        ]),
    'emlek': dict(
        titles="EMLÉK, EMLÉKEZÉS, ANYÁM, APÁM, A RÉGI KÉP, FÉNYKÉP, GYERMEKKOR, AZ IDŐ, ELMÚLÁS, "
               "TEMETÉS, A RÉGI ISKOLA, NAGYANYÁM, HALOTTAK NAPJÁN, ÓRA, EGY RÉGI LEVÉL, SZÜLŐHÁZ, "
               "A MÚLT, ÖREGEDÉS, ŐSZ HAJ, SZÜLETÉSNAPOMON, ÉVFORDULÓ, BALLADA, ELÉGIA, VÉGRENDELET, "
               "ESTI EMLÉKEK, ANYÁM KEZE, AMI ELMÚLT",
        classes="person, heart, time, light, place, plant, sound",
        nouns=dict(person="!nagyanyám, !nagyapám",
                   time="az idő, az év/évek, a múlt, "
                        "óra/órák{ketyeg/ketyegnek;üt/ütnek;hallgat/hallgatnak;jár/járnak}",
                   place="iskola/iskolák, szoba/szobák"),
        verbs=dict(person="ül/ülnek", time="siet/sietnek, pereg/peregnek"),
        adj="régi, kedves, drága, elmúlt, áldott, megsárgult",
        adv="régóta, a régi házban, a sírok között, a régi képen, az emlékek között, "
            "a régi szobában",
        lines=[
            "anyám keze puha kenyér", "emlékszem a régi nyárra", "a falon a régi óra ketyeg",
            "egy megsárgult levél az asztalon", "apám a kertben fát ültet",
            "a fénykép már megfakult", "gyermekkorom messze van", "a múlt csak árnyék a falon",
            "a sírok között virág nyílik", "anyám meséje ma is cseng",
            "az évek úgy szállnak, mint a madár", "ősz lett a hajam, ősz a szívem",
            "minden elmúlik, csak a dal marad", "a régi iskola padja üres",
            "egyszer én is elmegyek", "valaki mindig hazavár", "az idő szekere zörög",
            "a gyertyák a sírokon égnek", "nagyanyám kötényében alma",
            "a régi dalt ma is dúdolom",
        ]),
}

# Titles that fit any poem.
GENERAL_TITLES = ("DAL, ÉNEK, ELÉGIA, KÉP, VÁZLAT, TÖREDÉK, ROMÁNC, BALLADA, VERS, REGGEL, HAJNAL, "
                  "ESŐ, FELHŐK, IDŐ, SZELLŐ, KESERŰ DAL, HŰSÉG, ELŐHANG, ERDŐBEN, CSEND, MAGÁNY, "
                  "KÉRDÉS, VÁLASZ, ÜZENET, DALOK A HATÁRBÓL, KÉT STRÓFA, ESTI GONDOLAT")

# Dedications written under a title in a few poems.
DEDICATIONS = ["(Anyám emlékének)", "(Egy barátomnak)", "(Apám sírjára)"]
