#!/usr/bin/env python3
"""Copies into data/source what build_system_data.py needs from the compiled
nutrient data (supplements, gap values, the SR28 files), so that the
repository holds every input of the shipped data.

Usage: python3 data/tools/extract_sources.py --data DIR

DIR is the folder of the compiled data: supplements.tsv, gap-values.tsv and
usda-sr28/NUT_DATA.txt.xz (SR28 ASCII: '^'-separated, '~'-quoted, Latin-1).
Writes:

- source/supplements.tsv: the pure substances with the feedstuff keys they
  are shipped under (from 161, after the feedstuffs of feedstuffs.tsv; the
  file's own key column only numbers its rows) and a column 28 for folic
  acid, which the compiled file has no column for: 100 g folic acid per
  100 g of the pure substance, 100000000 µg.
- source/gap-values.tsv: unchanged.
- source/usda-sr28-more.tsv: for every USDA food of feedstuffs.tsv the SR28
  nutrients the first selection left out, in SR28's own units and digits:
  417 folate, total (µg), 430 vitamin K (phylloquinone) (µg), 629 EPA
  (20:5 n-3, g) and 621 DHA (22:6 n-3, g). An empty cell: SR28 has no value.

Python 3 standard library only; running it twice gives the same files.
"""
import argparse
import csv
import lzma
import os
import shutil
import sys

DATA = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
SOURCE = os.path.join(DATA, 'source')

SR28_MORE = ['417', '430', '629', '621']
FOLIC_ACID = '28'
# 100 g of the pure substance in µg.
PURE_FOLIC_ACID_UG = '100000000'


def read_rows(path):
    with open(path, encoding='utf-8', newline='') as f:
        rows = list(csv.reader(f, delimiter='\t', quoting=csv.QUOTE_NONE))
    return rows[0], [r for r in rows[1:] if r]


def write_rows(path, header, rows):
    with open(path, 'w', encoding='utf-8', newline='') as f:
        for row in [header] + rows:
            f.write('\t'.join(row) + '\n')
    print('%-28s %4d rows' % (os.path.relpath(path, DATA), len(rows)))


def usda_foods():
    header, rows = read_rows(os.path.join(SOURCE, 'feedstuffs.tsv'))
    ids = [dict(zip(header, r))['source_id'] for r in rows]
    return [i for i in ids if not i.startswith('calc:')], max(int(r[0]) for r in rows)


def extract_supplements(data_dir, first_key):
    header, rows = read_rows(os.path.join(data_dir, 'supplements.tsv'))
    if FOLIC_ACID in header:
        sys.exit('supplements.tsv has a folic acid column already')
    source = header.index('source_id')
    out = []
    for number, row in enumerate(rows):
        if len(row) != len(header):
            sys.exit('supplements.tsv: row %s has %d fields' % (row[0], len(row)))
        folic = PURE_FOLIC_ACID_UG if row[source] == 'calc:C19H19N7O6' else ''
        out.append([str(first_key + number)] + row[1:] + [folic])
    if sum(1 for r in out if r[-1]) != 1:
        sys.exit('supplements.tsv: no folic acid row (calc:C19H19N7O6)')
    write_rows(os.path.join(SOURCE, 'supplements.tsv'), header + [FOLIC_ACID], out)


def extract_sr28(data_dir, foods):
    wanted = set(foods)
    values = {}
    with lzma.open(os.path.join(data_dir, 'usda-sr28', 'NUT_DATA.txt.xz'), 'rt', encoding='latin-1') as f:
        for line in f:
            fields = [x.strip('~') for x in line.rstrip('\r\n').split('^')]
            if fields[0] in wanted and fields[1] in SR28_MORE and fields[2] != '':
                values.setdefault(fields[0], {})[fields[1]] = fields[2]
    missing = sorted(wanted - set(values))
    if len(missing) == len(wanted):
        sys.exit('NUT_DATA.txt.xz: none of the foods found')
    write_rows(os.path.join(SOURCE, 'usda-sr28-more.tsv'), ['ndb'] + SR28_MORE,
               [[ndb] + [values.get(ndb, {}).get(n, '') for n in SR28_MORE] for ndb in foods])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--data', required=True, help='the folder of the compiled nutrient data')
    args = parser.parse_args()
    foods, last_key = usda_foods()
    extract_supplements(args.data, last_key + 1)
    shutil.copyfile(os.path.join(args.data, 'gap-values.tsv'), os.path.join(SOURCE, 'gap-values.tsv'))
    print('%-28s copied' % 'source/gap-values.tsv')
    extract_sr28(args.data, foods)


if __name__ == '__main__':
    main()
