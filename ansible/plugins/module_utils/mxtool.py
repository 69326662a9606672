# -*- coding: utf-8 -*-
# Running mxtool on the managed host and reading its JSON lines. Every device decision is mxtool's:
# the modules only choose the command and turn its lines into Ansible's results.
from __future__ import absolute_import, division, print_function

__metaclass__ = type

import json


def mxtool_command(module):
    """The mxtool to run: the one the task names, else the first on the host's PATH."""
    given = module.params.get('mxtool')
    if given:
        return given
    return module.get_bin_path('mxtool', required=True)


def run_json(module, args):
    """Runs `mxtool ARGS --json`.

    Returns (rc, records, summary, stderr): one record per interface line, and the summary object of
    the last line, or None when mxtool ended before writing one (it was killed, or refused the
    command before touching any interface).
    """
    rc, out, err = module.run_command([mxtool_command(module)] + args + ['--json'])
    records = []
    summary = None
    for line in out.splitlines():
        line = line.strip()
        if not line.startswith('{'):
            continue
        try:
            record = json.loads(line)
        except ValueError:
            continue
        if not isinstance(record, dict):
            continue
        if 'summary' in record:
            summary = record['summary']
        else:
            records.append(record)
    return rc, records, summary, err


def failure_text(records, rc, stderr):
    """What went wrong, as the interfaces said it, else as mxtool's error output said it."""
    failed = ['%s: %s' % (r.get('port', ''), r.get('message', '')) for r in records
              if r.get('outcome') == 'failed']
    if failed:
        return '; '.join(failed)
    return stderr.strip() or 'mxtool ended with exit code %d' % rc
