#!/usr/bin/env python3
"""Builds the shipped system data (data/system/*.tsv) from data/source.

The derived figures of the feedstuffs (dry matter, NfE, energy, indicators)
are not computed here: the program computes them ("mensoly-cli feedcalc"),
so the shipped values are exactly those its feedstuff calculation gives.

Usage: python3 data/tools/build_system_data.py --cli BUILD/src/app/mensoly-cli

Python 3 standard library only. The output is deterministic: running it twice
gives the same files.
"""
import argparse
import csv
import os
import subprocess
import sys
from decimal import Decimal, ROUND_HALF_EVEN

DATA = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
SOURCE = os.path.join(DATA, 'source')
SYSTEM = os.path.join(DATA, 'system')
SOURCES_MD = os.path.join(DATA, 'SOURCES.md')

YES, NO = '-1', '0'
NULL = None
# The date this data set was put together; also its last-change stamp, so
# that rebuilding does not change the files.
DATA_SET_DATE = '2026-12-07'
USDA_SR28_DATE = '2016-05-01'
# User feedstuffs get keys from here on; the previous-version import reads the
# counter with a 16-bit reader, so it must stay below 32768.
USER_KEY_START = 20000

ENERGY_KCAL, ENERGY_KCAL_SECOND, ENERGY_MJ = 60, 61, 9
# Always shown for every case type and not deselectable.
FIXED_NUTRIENTS = {ENERGY_KCAL, ENERGY_MJ, 24, 12, 1, 15}
# Figures of a feedstuff that its analysis does not give.
DERIVED_KEYS = {8, 9, 14, 60, 61}
REQUIRED_KEYS = [18, 24, 11, 12, 13]
FIBRE = 11
# Adult, growth, reproduction: what picks a case type's maxima.
LIFE_STAGES = {'A', 'W', 'R'}

# The requirement counts vitamin E in IU (1 IU = 1 mg all-rac-alpha-tocopheryl
# acetate); SR28 gives mg RRR-alpha-tocopherol, of which 1 mg = 1.49 IU.
VITAMIN_E = 6
IU_PER_MG_RRR_TOCOPHEROL = Decimal('1.49')
# Contents SR28 has that the first selection left out: our key and SR28's
# nutrient numbers, whose values are added up (EPA and DHA).
FOLATE, VITAMIN_K, EPA_DHA = 28, 29, 30
SR28_MORE = {FOLATE: ['417'], VITAMIN_K: ['430'], EPA_DHA: ['629', '621']}
# The nutrients gap-values.tsv fills, with the unit it gives them in.
GAP_UNITS = {35: 'g', 22: 'mg', 27: 'ug', 34: 'mg'}
# How a content row names its source (T_FM_NAEHRSTOFF.QUELLE).
GAP_SOURCES = {'CoFID 2021': 'CoFID 2021', 'USDA/FDA/ODS-NIH Iodine DB Release 4': 'USDA Iodine DB R4',
               'Pasantes-Morales et al. 1989': 'Pasantes-Morales 1989'}
GAP_SOURCE_NOTES = {
    'CoFID 2021': ('CoFID 2021', 'CoFID 2021'),
    'USDA/FDA/ODS-NIH Iodine DB Release 4': ('der USDA-Jod-Datenbank R4', 'the USDA iodine database R4'),
    'Pasantes-Morales et al. 1989': ('Pasantes-Morales et al. 1989', 'Pasantes-Morales et al. 1989')}
DERIVED_SOURCE = 'calc: feedstuff calculation'
ASSUMED_SOURCE = 'assumed'
SOURCE_LENGTH = 255


def read_tsv(name):
    with open(os.path.join(SOURCE, name), encoding='utf-8', newline='') as f:
        rows = list(csv.reader(f, delimiter='\t', quoting=csv.QUOTE_NONE))
    header, body = rows[0], [r for r in rows[1:] if r]
    for r in body:
        if len(r) != len(header):
            sys.exit('%s: row %r has %d fields, the header %d' % (name, r[:2], len(r), len(header)))
    return [dict(zip(header, r)) for r in body]


def escape(value):
    if value is NULL:
        return '\\N'
    value = str(value)
    return value.replace('\\', '\\\\').replace('\t', '\\t').replace('\n', '\\n')


def write_table(table, columns, rows):
    path = os.path.join(SYSTEM, table + '.tsv')
    with open(path, 'w', encoding='utf-8', newline='') as f:
        f.write('\t'.join(columns) + '\n')
        for row in rows:
            f.write('\t'.join(escape(row[c]) for c in columns) + '\n')
    print('%-22s %5d rows' % (table, len(rows)))


def copy_table(table, source_name=None, drop=()):
    rows = read_tsv(source_name or table + '.tsv')
    columns = [c for c in rows[0].keys() if c not in drop]
    write_table(table, columns, rows)
    return rows


def number_text(text):
    """The contents as the source writes them, with a leading zero."""
    return '0' + text if text.startswith('.') else text


def build_nutrients(formulas):
    nutrients = read_tsv('nutrients.tsv')
    with_requirement = {int(f['ID_NAEHRSTOFF']) for f in formulas}
    for n in nutrients:
        n['BERTYP_RELEVANT'] = YES if n['KZ_IK'] == 'I' and int(n['ID']) in with_requirement else NO
    columns = ['ID', 'SORT', 'KUERZEL_DE', 'KUERZEL_US', 'ME_DE', 'ME_US', 'BEZ_DE', 'BEZ_US', 'KZ_IK',
               'NK_STELLEN', 'BERTYP_RELEVANT', 'AKTIV']
    write_table('T_NAEHRSTOFFE', columns, nutrients)
    return {int(n['ID']): n for n in nutrients}


def build_cases(nutrients, formulas, indicator_formulas):
    cases = read_tsv('case_types.tsv')
    sets = {}
    for f in formulas:
        sets.setdefault(f['FORMULA_SET'], []).append(f)
    # Case types that share formulas share one requirement type, numbered by
    # the first case type that uses it.
    bertyp = {}
    for c in cases:
        if c['FORMULA_SET'] not in sets:
            sys.exit('case type %s: no formulas for set %s' % (c['ID'], c['FORMULA_SET']))
        bertyp[c['FORMULA_SET']] = min(bertyp.get(c['FORMULA_SET'], 10 ** 9), int(c['ID']))
    for c in cases:
        c['BerTyp'] = bertyp[c['FORMULA_SET']]
    write_table('T_FALL', ['ID', 'BEZ_DE', 'BEZ_US', 'ID_GATTUNG', 'ID_GESCHLECHT', 'BerTyp', 'AKTIV'], cases)

    def sort_key(key):
        return int(nutrients[key]['SORT'])

    for f in formulas + indicator_formulas:
        if int(f['ID_NAEHRSTOFF']) not in nutrients:
            sys.exit('formula for unknown nutrient %s' % f['ID_NAEHRSTOFF'])
    indicators = sorted((int(f['ID_NAEHRSTOFF']), f['WERT_FORMEL']) for f in indicator_formulas)
    requirement_rows = []
    for set_name, number in sorted(bertyp.items(), key=lambda item: item[1]):
        rows = sorted(((int(f['ID_NAEHRSTOFF']), f['WERT_FORMEL']) for f in sets[set_name]),
                      key=lambda r: sort_key(r[0]))
        rows += sorted(indicators, key=lambda r: sort_key(r[0]))
        for key, formula in rows:
            requirement_rows.append({'ID': len(requirement_rows) + 1, 'BERTYP_FALL': number,
                                     'BERTYP_FALL_ALT': NULL, 'ID_NAEHRSTOFF': key, 'WERT_FORMEL': formula,
                                     'AKTIV': YES, 'WERT_ALT': NULL})
    write_table('T_BEDARF', ['ID', 'BERTYP_FALL', 'BERTYP_FALL_ALT', 'ID_NAEHRSTOFF', 'WERT_FORMEL', 'AKTIV',
                             'WERT_ALT'], requirement_rows)

    # Shown per case type: every nutrient with a requirement (key 61 repeats
    # key 60 and stays hidden) and every indicator.
    selection, categories = [], []
    indicator_keys = sorted((k for k, n in nutrients.items() if n['KZ_IK'] == 'K'), key=sort_key)
    for c in cases:
        keys = sorted({int(f['ID_NAEHRSTOFF']) for f in sets[c['FORMULA_SET']]} - {ENERGY_KCAL_SECOND},
                      key=sort_key)
        for key in keys + indicator_keys:
            selection.append({'ID': len(selection) + 1, 'ID_FALL': c['ID'], 'ID_Naehrstoff': key,
                              'FIXED': YES if key in FIXED_NUTRIENTS else NO, 'AKTIV': YES})
        for category in c['CATEGORIES'].split(','):
            categories.append({'ID': len(categories) + 1, 'ID_FALL': c['ID'], 'ID_FM_Kategorie': category,
                               'AKTIV': YES})
    write_table('T_FALL_NAEHRSTOFF', ['ID', 'ID_FALL', 'ID_Naehrstoff', 'FIXED', 'AKTIV'], selection)
    write_table('T_FALL_KAT', ['ID', 'ID_FALL', 'ID_FM_Kategorie', 'AKTIV'], categories)

    stages = []
    for c in cases:
        if c['LIFE_STAGE'] not in LIFE_STAGES:
            sys.exit('case type %s: life stage %r' % (c['ID'], c['LIFE_STAGE']))
        stages.append({'ID': len(stages) + 1, 'ID_FALL': c['ID'], 'LEBENSPHASE': c['LIFE_STAGE'], 'AKTIV': YES})
    write_table('T_FALL_LEBENSPHASE', ['ID', 'ID_FALL', 'LEBENSPHASE', 'AKTIV'], stages)


def build_maxima(nutrients):
    rows = read_tsv('maxima.tsv')
    for number, r in enumerate(rows, 1):
        if int(r['ID_NAEHRSTOFF']) not in nutrients or r['BEZUG'] not in ('kcal', 'TS', 'V'):
            sys.exit('maxima.tsv: row %d: nutrient %s, basis %r' % (number, r['ID_NAEHRSTOFF'], r['BEZUG']))
        if r['LEBENSPHASE'] not in LIFE_STAGES | {''}:
            sys.exit('maxima.tsv: row %d: life stage %r' % (number, r['LEBENSPHASE']))
        if (r['BEZUG'] == 'V') != (nutrients[int(r['ID_NAEHRSTOFF'])]['KZ_IK'] == 'K'):
            sys.exit('maxima.tsv: row %d: a ratio belongs to an indicator' % number)
        r['ID'] = number
        r['AKTIV'] = YES
        for column in ('LEBENSPHASE', 'BEDINGUNG'):
            r[column] = r[column] or NULL
    write_table('T_HOECHSTWERT', ['ID', 'ID_GATTUNG', 'LEBENSPHASE', 'ID_NAEHRSTOFF', 'WERT', 'BEZUG', 'BEDINGUNG',
                                  'QUELLE', 'AKTIV'], rows)


def run_feedcalc(cli, analyses, keys):
    """Derived figures of every feedstuff, by the program's own calculation."""
    lines = ['\t'.join(['ID'] + [str(k) for k in keys])]
    for fm, values in analyses:
        lines.append('\t'.join([str(fm)] + [values.get(k, '') for k in keys]))
    done = subprocess.run([cli, 'feedcalc', '--negative-nfe-as-zero', '--nutrients',
                           os.path.join(SYSTEM, 'T_NAEHRSTOFFE.tsv')],
                          input='\n'.join(lines) + '\n', capture_output=True, text=True, encoding='utf-8')
    if done.returncode != 0:
        sys.exit('feedcalc failed (%d): %s\n%s' % (done.returncode, done.stderr, done.stdout))
    out = list(csv.reader(done.stdout.splitlines(), delimiter='\t', quoting=csv.QUOTE_NONE))
    header = out[0]
    result = {}
    for row in out[1:]:
        record = dict(zip(header, row))
        figures = {int(k): v for k, v in record.items() if k not in ('ID', 'STATUS') and v}
        # A small negative result shows as "-0" and is stored as 0.
        figures = {k: ('0' if float(v) == 0.0 else v) for k, v in figures.items()}
        result[int(record['ID'])] = (record['STATUS'], figures)
    return result


def missing_note(nutrients, present):
    """The analysed nutrients the record has no value for, by German short name."""
    analysed = sorted((k for k, n in nutrients.items() if n['KZ_IK'] == 'I' and k not in DERIVED_KEYS),
                      key=lambda k: int(nutrients[k]['SORT']))
    missing = [nutrients[k]['KUERZEL_DE'] for k in analysed if k not in present]
    if len(missing) > len(analysed) // 2:
        return 'alle außer ' + ', '.join(nutrients[k]['KUERZEL_DE'] for k in analysed if k in present)
    return ', '.join(missing) if missing else NULL


def vitamin_e_in_iu(mg):
    """SR28's mg RRR-alpha-tocopherol in IU, with the source's two decimals."""
    return str((Decimal(mg) * IU_PER_MG_RRR_TOCOPHEROL).quantize(Decimal('0.01'), rounding=ROUND_HALF_EVEN))


def read_sr28_more():
    """Folate, vitamin K and EPA + DHA by NDB number, in our units."""
    result = {}
    for r in read_tsv('usda-sr28-more.tsv'):
        values = {}
        for key, numbers in SR28_MORE.items():
            present = [r[n] for n in numbers if r[n] != '']
            # EPA + DHA needs both: one of them alone would pass for the sum.
            if present and len(present) == len(numbers):
                values[key] = str(sum(Decimal(number_text(v)) for v in present))
        result[r['ndb']] = values
    return result


def gap_source(gap):
    """The source of a gap value as its content row names it."""
    source = GAP_SOURCES[gap['source']]
    if gap['source'] == 'Pasantes-Morales et al. 1989':
        text = '%s: %s' % (source, gap['source_name'])
    else:
        text = '%s %s' % (source, gap['source_code'])
    if gap['grade'] == 'close':
        text += ', close: ' + gap['note']
    elif gap['grade'] != 'same':
        sys.exit('gap-values.tsv: %s key %s: grade %r' % (gap['ndb'], gap['key'], gap['grade']))
    elif float(gap['value']) == 0.0 and gap['note']:
        # What a zero stands for (a trace, below the detection limit).
        text += ', ' + gap['note']
    if len(text) > SOURCE_LENGTH:
        sys.exit('gap-values.tsv: %s key %s: source text longer than %d' % (gap['ndb'], gap['key'],
                                                                            SOURCE_LENGTH))
    return text


def read_gap_values():
    """Chloride, iodine, biotin and taurine by NDB number."""
    result = {}
    for gap in read_tsv('gap-values.tsv'):
        key = int(gap['key'])
        if GAP_UNITS.get(key) != gap['unit'] or gap['source'] not in GAP_SOURCES:
            sys.exit('gap-values.tsv: %s key %d: unit %r, source %r' % (gap['ndb'], key, gap['unit'],
                                                                        gap['source']))
        result.setdefault(gap['ndb'], []).append(gap)
    return result


def gap_notes(gaps, nutrients):
    """The sentences that tell which contents came from which other source."""
    groups = []
    for gap in gaps:
        group = (gap['source'], gap['source_code'], gap['grade'])
        if not groups or groups[-1][0] != group:
            groups.append((group, []))
        groups[-1][1].append(int(gap['key']))
    parts_de, parts_us = [], []
    for (source, code, grade), keys in groups:
        names_de = ', '.join(nutrients[k]['KUERZEL_DE'] for k in keys)
        names_us = ', '.join(nutrients[k]['KUERZEL_US'] for k in keys)
        source_de, source_us = GAP_SOURCE_NOTES[source]
        where = '' if source == 'Pasantes-Morales et al. 1989' else ' (%s)' % code
        parts_de.append('%s aus %s%s%s' % (names_de, source_de, where,
                                          ', ähnliches Lebensmittel' if grade == 'close' else ''))
        parts_us.append('%s from %s%s%s' % (names_us, source_us, where,
                                            ', close match' if grade == 'close' else ''))
    return ('Ergänzt: %s.' % '; '.join(parts_de), 'Added: %s.' % '; '.join(parts_us))


def build_feedstuffs(cli, nutrients):
    feedstuffs = read_tsv('feedstuffs.tsv')
    supplements = read_tsv('supplements.tsv')
    if int(supplements[0]['key']) != max(int(f['key']) for f in feedstuffs) + 1:
        sys.exit('supplements.tsv: the keys do not follow those of feedstuffs.tsv')
    assignments = {int(a['key']): a for a in read_tsv('feedstuff_assignments.tsv')}
    sr28_more = read_sr28_more()
    gap_values = read_gap_values()
    types = read_tsv('feed_types.tsv')
    copy_rows = [{k: v for k, v in t.items() if k != 'SOURCE_CATEGORY'} for t in types]
    write_table('T_FM_TYP', ['ID', 'BEZ_DE', 'BEZ_US', 'AKTIV'], copy_rows)
    type_of = {t['SOURCE_CATEGORY']: t['ID'] for t in types if t['SOURCE_CATEGORY']}

    analyses, used_gaps = [], 0
    for f in feedstuffs + supplements:
        fm = int(f['key'])
        source = f['source_id']
        nutrient_columns = [c for c in f if c.isdigit()]
        values = {int(c): number_text(f[c]) for c in nutrient_columns if f[c] != ''}
        gaps = []
        if source.startswith('calc:'):
            origin = {k: 'calc: ' + source[5:] for k in values}
        else:
            origin = {k: 'USDA SR28 ' + source for k in values}
            if VITAMIN_E in values:
                values[VITAMIN_E] = vitamin_e_in_iu(values[VITAMIN_E])
                origin[VITAMIN_E] = 'USDA SR28 %s × 1.49 (IU)' % source
            if source not in sr28_more:
                sys.exit('feedstuff %d: NDB %s not in usda-sr28-more.tsv' % (fm, source))
            for key, value in sr28_more[source].items():
                if key in values:
                    sys.exit('feedstuff %d: key %d twice from SR28' % (fm, key))
                values[key] = value
                origin[key] = 'USDA SR28 %s' % source
            if EPA_DHA in sr28_more[source]:
                origin[EPA_DHA] = 'USDA SR28 %s, EPA + DHA' % source
            gaps = gap_values.get(source, [])
            for gap in gaps:
                key = int(gap['key'])
                if key in values:
                    sys.exit('feedstuff %d: gap value for key %d, which it has already' % (fm, key))
                values[key] = number_text(gap['value'])
                origin[key] = gap_source(gap)
            used_gaps += len(gaps)
        assumed = assignments.get(fm, {}).get('ASSUMED', '')
        for item in filter(None, assumed.split(';')):
            key, value = item.split('=')
            if int(key) in values:
                sys.exit('feedstuff %d: assumed value for %s which the source gives' % (fm, key))
            values[int(key)] = value
            origin[int(key)] = ASSUMED_SOURCE
        for key in values:
            if key not in nutrients or key in DERIVED_KEYS:
                sys.exit('feedstuff %d: content for key %d' % (fm, key))
        analyses.append((f, fm, values, origin, gaps))
    if used_gaps != sum(len(g) for g in gap_values.values()):
        sys.exit('gap-values.tsv: values for foods that are not shipped')
    all_keys = sorted({k for _, _, v, _, _ in analyses for k in v}, key=lambda k: int(nutrients[k]['SORT']))
    derived = run_feedcalc(cli, [(fm, values) for _, fm, values, _, _ in analyses], all_keys)

    records, contents, memberships, negative_nfe = [], [], [], []
    for f, fm, values, origin, gaps in analyses:
        status, figures = derived[fm]
        source = f['source_id']
        if source.startswith('calc:'):
            if '+' in source:
                hint_de = ['Berechnet aus der Zusammensetzung %s mit IUPAC-Atomgewichten.' % source[5:]]
                hint_us = ['Calculated from the composition %s with IUPAC atomic weights.' % source[5:]]
            else:
                hint_de = ['Berechnet aus der Summenformel %s (IUPAC-Atomgewichte).' % source[5:]]
                hint_us = ['Calculated from the chemical formula %s (IUPAC atomic weights).' % source[5:]]
            date = DATA_SET_DATE
        else:
            hint_de = ['Quelle: USDA SR28, NDB %s.' % source]
            hint_us = ['Source: USDA SR28, NDB %s.' % source]
            date = USDA_SR28_DATE
        if gaps:
            note_de, note_us = gap_notes(gaps, nutrients)
            hint_de.append(note_de)
            hint_us.append(note_us)
        note = assignments.get(fm, {})
        if note.get('NOTE_DE'):
            hint_de.append(note['NOTE_DE'])
            hint_us.append(note['NOTE_US'])
        if float(values.get(FIBRE, '0')) > 0.0:
            hint_de.append('Rohfaser ist hier der Gesamtballaststoff (USDA) und überschätzt die Rohfaser; '
                           'NfE, Energieverdaulichkeit, ME und Rohfaser in der TS hängen von dieser Näherung ab.')
            hint_us.append('Crude fibre here is total dietary fibre (USDA), which overstates crude fibre; '
                           'NfE, energy digestibility, ME and fibre in DM depend on this approximation.')
        if status == 'negative-nfe-as-zero':
            total = sum(float(values.get(k, '0')) for k in REQUIRED_KEYS)
            hint_de.append('Die analysierten Bestandteile ergeben %s g je 100 g: NfE als 0 gesetzt.'
                           % ('%.2f' % total).replace('.', ','))
            hint_us.append('The analysed components add up to %.2f g per 100 g: NfE taken as 0.' % total)
            negative_nfe.append((fm, f['name_de'], f['name_en'], source, total))
        elif status != 'ok':
            sys.exit('feedstuff %d: %s' % (fm, status))
        records.append({'ID': fm, 'ID_FM_TYP': type_of[f['category']], 'BEZ_DE': f['name_de'],
                        'BEZ_US': f['name_en'], 'EIGEN': 'M', 'DEMO_KZ': '0', 'DATUM': date,
                        'HERSTELLER': NULL, 'DATEN_FEHLEN': missing_note(nutrients, values),
                        'HINWEIS': ' '.join(hint_de), 'HINT': ' '.join(hint_us),
                        'DATUM_BEARBEITET': DATA_SET_DATE, 'AKTIV': YES, 'ALT_ID': NULL})
        rows = dict(values)
        rows.update(figures)
        for key in sorted(rows, key=lambda k: int(nutrients[k]['SORT'])):
            contents.append({'ID': len(contents) + 1, 'ID_FM': fm, 'ID_NAEHRSTOFF': key, 'MENGE': rows[key],
                             'AKTIV': YES, 'ID_FM_ALT': NULL, 'QUELLE': origin.get(key, DERIVED_SOURCE)})
        for category in note.get('CATEGORIES', '1').split(','):
            memberships.append({'ID': len(memberships) + 1, 'ID_FM': fm, 'ID_FM_KATEGORIE': category,
                                'AKTIV': YES})

    write_table('T_FUTTERMITTEL', ['ID', 'ID_FM_TYP', 'BEZ_DE', 'BEZ_US', 'EIGEN', 'DEMO_KZ', 'DATUM',
                                   'HERSTELLER', 'DATEN_FEHLEN', 'HINWEIS', 'HINT', 'DATUM_BEARBEITET',
                                   'AKTIV', 'ALT_ID'], records)
    write_table('T_FM_NAEHRSTOFF', ['ID', 'ID_FM', 'ID_NAEHRSTOFF', 'MENGE', 'AKTIV', 'ID_FM_ALT', 'QUELLE'],
                contents)
    write_table('T_FM_KAT', ['ID', 'ID_FM', 'ID_FM_KATEGORIE', 'AKTIV'], memberships)
    last = max(r['ID'] for r in records)
    if last >= USER_KEY_START:
        sys.exit('system feedstuff keys reach the user range')
    write_table('T_FM_KEY', ['FM_TYP', 'ID_NEW'], [{'FM_TYP': 'M', 'ID_NEW': last + 1},
                                                   {'FM_TYP': 'U', 'ID_NEW': USER_KEY_START}])
    return negative_nfe

# What the system data editor shows of a table column; the editor compares
# these names exactly.
EDITOR_COLUMN_TYPES = {'NUMBER', 'LONG', 'DOUBLE', 'VARCHAR2', 'BOOL', 'DATE', 'COMBO', 'COMBOSTRING', 'PASSWORD',
                       'RICHEDITCONTROL'}
# Column rows are numbered after the table rows, which keep the numbers the
# editor's filters know (90, 91, 101, 111, 121).
EDITOR_COLUMN_KEY_START = 1000


def build_editor_metadata():
    """T_GRUNDDATEN and T_GRUNDDATEN_ABH: the tables of the system data editor."""
    def value(text):
        return NULL if text == '' else text

    tables = read_tsv('editor_tables.tsv')
    columns = read_tsv('editor_columns.tsv')
    numbers = {t['TABELLE']: int(t['NUMBER']) for t in tables}
    if len(numbers) != len(tables) or max(numbers.values()) >= EDITOR_COLUMN_KEY_START:
        sys.exit('editor_tables.tsv: a table is described twice or its number is too large')
    rows = []
    for sort, t in enumerate(tables, 1):
        if t['TYP'] not in ('M', 'U'):
            sys.exit('editor table %s: TYP %r' % (t['NUMBER'], t['TYP']))
        rows.append({'ID': int(t['NUMBER']), 'TABELLE': t['TABELLE'], 'PK': t['PK'], 'FELD': NULL, 'FELDTYP': NULL,
                     'FELDLAENGE': NULL, 'BREITE': NULL, 'BEZ_DE': t['BEZ_DE'], 'BEZ_EN': t['BEZ_EN'],
                     'SICHTBAR': NULL, 'SQLSTATEMENT': t['SQLSTATEMENT'], 'DEFAULTVALUE': NULL, 'TYP': t['TYP'],
                     'SORT': sort})
    sorts = {}
    for number, c in enumerate(columns, EDITOR_COLUMN_KEY_START):
        if c['TABELLE'] not in numbers:
            sys.exit('editor column %s: no table row for %s' % (c['FELD'], c['TABELLE']))
        if c['FELDTYP'] not in EDITOR_COLUMN_TYPES or c['SICHTBAR'] not in ('0', '1'):
            sys.exit('editor column %s.%s: type %r, visible %r' % (c['TABELLE'], c['FELD'], c['FELDTYP'],
                                                                   c['SICHTBAR']))
        if (c['FELDTYP'] == 'COMBO') != (c['SQLSTATEMENT'] != ''):
            sys.exit('editor column %s.%s: a look-up list belongs to COMBO columns' % (c['TABELLE'], c['FELD']))
        sorts[c['TABELLE']] = sorts.get(c['TABELLE'], 0) + 1
        rows.append({'ID': number, 'TABELLE': c['TABELLE'], 'PK': NULL, 'FELD': c['FELD'], 'FELDTYP': c['FELDTYP'],
                     'FELDLAENGE': value(c['FELDLAENGE']), 'BREITE': c['BREITE'], 'BEZ_DE': c['BEZ_DE'],
                     'BEZ_EN': c['BEZ_EN'], 'SICHTBAR': c['SICHTBAR'], 'SQLSTATEMENT': value(c['SQLSTATEMENT']),
                     'DEFAULTVALUE': value(c['DEFAULTVALUE']), 'TYP': NULL, 'SORT': sorts[c['TABELLE']]})
    missing = sorted(set(numbers) - set(sorts))
    if missing:
        sys.exit('editor tables without columns: %s' % ', '.join(missing))
    write_table('T_GRUNDDATEN', ['ID', 'TABELLE', 'PK', 'FELD', 'FELDTYP', 'FELDLAENGE', 'BREITE', 'BEZ_DE',
                                 'BEZ_EN', 'SICHTBAR', 'SQLSTATEMENT', 'DEFAULTVALUE', 'TYP', 'SORT'], rows)

    known = set(numbers.values())
    dependents = []
    for d in read_tsv('editor_dependents.tsv'):
        if int(d['PARENT']) not in known or int(d['DEPENDENT']) not in known:
            sys.exit('editor_dependents.tsv: unknown table %s or %s' % (d['PARENT'], d['DEPENDENT']))
        dependents.append({'ID': len(dependents) + 1, 'ID_COMBO1': int(d['PARENT']),
                           'ID_COMBO2': int(d['DEPENDENT']), 'BEZ_DE': d['BEZ_DE'], 'BEZ_EN': d['BEZ_EN']})
    write_table('T_GRUNDDATEN_ABH', ['ID', 'ID_COMBO1', 'ID_COMBO2', 'BEZ_DE', 'BEZ_EN'], dependents)


def update_sources_list(negative_nfe):
    """Lists the feedstuffs whose NfE was taken as 0 in data/SOURCES.md."""
    begin, end = '<!-- negative NfE: begin -->', '<!-- negative NfE: end -->'
    with open(SOURCES_MD, encoding='utf-8') as f:
        text = f.read()
    if begin not in text or end not in text:
        sys.exit('%s lacks the markers of the negative-NfE list' % SOURCES_MD)
    lines = ['| Key | Feedstuff | USDA NDB | Analysed components, g per 100 g |', '|---|---|---|---|']
    lines += ['| %d | %s | %s | %.2f |' % (fm, en, source, total) for fm, _, en, source, total in negative_nfe]
    head, rest = text.split(begin, 1)
    tail = rest.split(end, 1)[1]
    with open(SOURCES_MD, 'w', encoding='utf-8') as f:
        f.write(head + begin + '\n' + '\n'.join(lines) + '\n' + end + tail)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--cli', required=True, help='the mensoly-cli program of a build of this tree')
    args = parser.parse_args()

    copy_table('T_MSYV3SEC')
    copy_table('T_GATTUNG')
    copy_table('T_GESCHLECHT')
    copy_table('T_ANREDE')
    copy_table('T_RASSE', 'breeds.tsv')
    copy_table('T_TEXT', 'texts.tsv')
    copy_table('T_KATEGORIEN', 'categories.tsv')
    copy_table('T_VERLAUF', 'follow_up.tsv')
    formulas = read_tsv('formulas.tsv')
    indicator_formulas = read_tsv('indicator_formulas.tsv')
    nutrients = build_nutrients(formulas)
    build_cases(nutrients, formulas, indicator_formulas)
    build_maxima(nutrients)
    negative_nfe = build_feedstuffs(args.cli, nutrients)
    build_editor_metadata()
    update_sources_list(negative_nfe)
    print('%d feedstuffs with NfE taken as 0' % len(negative_nfe))


if __name__ == '__main__':
    main()
