# -*- coding: utf-8 -*-
from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r'''
---
module: mesurix_config
short_description: Ensure that Mesurix gage interfaces hold a configuration file
description:
  - Ensures that the interface on a serial port (or on each port of a list, or the one with a given
    serial number) holds a C(.mxs) configuration file, with per-interface values applied.
  - Runs C(mxtool apply --json) on the managed host. mxtool reads what each interface holds, works
    out what a send would leave in it (conversion to the interface's model, the network settings an
    interface keeps, the per-interface values) and sends only when that differs, then reads back and
    verifies.
  - Reports C(changed) only when something was sent. In check mode nothing is sent and C(changed)
    says that a send would happen. In diff mode the differing fields are shown per interface.
  - Fails with each failed interface's port and message (such as C(Cannot find a Mesurix
    interface.)) once all the interfaces of the task are done.
version_added: 1.0.1
author:
  - Brantwick Systems (@brantwick)
options:
  port:
    description:
      - The port of the interface, C(COM3) or a device path such as C(/dev/ttyUSB0).
      - Exactly one of I(port), I(ports) and I(serial) is required.
    type: str
  ports:
    description:
      - Several ports, each as in I(port); C(COM1-COM8) is a range and a device path may be a
        shell-style pattern (C(/dev/serial/by-id/*)). The interfaces are worked on at once.
    type: list
    elements: str
  serial:
    description:
      - The serial number of the interface. The port is found with C(mxtool find --all --json);
        the task fails when no interface, or more than one, on the host has this serial number.
    type: str
  src:
    description:
      - A configuration file on the controller (searched in the role's or playbook's C(files/) as
        C(copy) does). It is copied to a temporary file on the host for the task and removed after.
      - Exactly one of I(src) and I(path) is required.
    type: path
  path:
    description:
      - A configuration file already on the managed host.
    type: path
  vars:
    description:
      - Values for this one interface by the field names of C(mxtool set), such as C(ipAddress)
        and C(description) (see the examples). Texts are plain (no JSON quotes), addresses dotted
        quads.
      - Only with I(port) or I(serial); for a list of ports give a table in I(vars_file).
    type: dict
  vars_file:
    description:
      - A per-interface table as C(mxtool apply --vars) takes it (CSV, one row per interface keyed
        by a C(serial) or C(port) column), on the controller; it is copied to the host as I(src) is.
    type: path
  update_network:
    description:
      - Give the interfaces the network settings of the file and of I(vars) (as C(mxtool
        --update-network)). Without it a Network interface keeps its own address, base port and
        server mode.
      - mxtool refuses it for more than one Network interface unless each gets its own
        C(ipAddress).
    type: bool
    default: false
  mxtool:
    description:
      - The mxtool program to run on the host. By default the one found on the host's C(PATH).
    type: path
attributes:
  check_mode:
    support: full
    description: Nothing is sent; C(changed) when a send would happen.
  diff_mode:
    support: full
    description: The fields that differ, per interface, as C(mxtool diff) names and writes them.
  platform:
    platforms: posix
    description: The host needs mxtool and the interfaces' serial ports.
notes:
  - The ports of the host are those mxtool sees there; C(MXSETUP_COM<n>) in the task's environment
    maps a port to a device path.
seealso:
  - module: brantwick.mesurix.mesurix_facts
'''

EXAMPLES = r'''
- name: Line 2's gage interface holds the line configuration with its own address
  brantwick.mesurix.mesurix_config:
    src: line.mxs
    port: COM1
    update_network: true
    vars:
      ipAddress: 192.168.0.22
      description: Line 2

- name: The interface with serial number 20417, wherever it is plugged in
  brantwick.mesurix.mesurix_config:
    path: /srv/mesurix/line.mxs
    serial: "20417"

- name: Every interface of the station, each with its row of the plant's table
  brantwick.mesurix.mesurix_config:
    src: line.mxs
    ports: [COM1-COM8]
    vars_file: plant.csv
    update_network: true
'''

RETURN = r'''
interfaces:
  description: One entry per interface, as mxtool reported it.
  returned: always
  type: list
  elements: dict
  contains:
    port:
      description: The port, C(COM3), or the device path when the task named a path.
      type: str
      sample: COM1
    device:
      description: The device path of the port.
      type: str
      sample: /dev/ttyUSB0
    serial:
      description: The interface's serial number (empty when unknown).
      type: str
    model:
      description: The interface's model (empty when unknown).
      type: str
      sample: Mesurix5 Network
    outcome:
      description: C(unchanged), C(changed), C(would change) (check mode) or C(failed).
      type: str
      sample: changed
    message:
      description: What happened, also that the file was converted to the interface's model.
      type: str
    changes:
      description: The fields that differ(ed), each with C(field), C(from) and C(to).
      type: list
      elements: dict
      sample: [{field: ipAddress, from: 192.168.0.10, to: 192.168.0.21}]
summary:
  description: How many interfaces ended with each outcome, and C(total).
  returned: always
  type: dict
  sample: {total: 2, changed: 1, unchanged: 1}
'''

import csv
import os

from ansible.module_utils.basic import AnsibleModule
from ansible.module_utils.common.text.converters import to_text
from ansible_collections.brantwick.mesurix.plugins.module_utils.mxtool import (
    failure_text, run_json)


def find_port(module, serial):
    """The port of the one interface on the host with this serial number."""
    rc, records, summary, err = run_json(module, ['find', '--all'])
    if summary is None:
        module.fail_json(msg=failure_text(records, rc, err), rc=rc, stderr=err)
    ports = [r.get('port') for r in records
             if r.get('outcome') == 'found' and r.get('serial') == serial]
    if not ports:
        module.fail_json(msg='no interface on this host has the serial number %s' % serial,
                         interfaces=records)
    if len(ports) > 1:
        module.fail_json(msg='%d interfaces on this host have the serial number %s (%s)'
                         % (len(ports), serial, ', '.join(ports)), interfaces=records)
    return ports[0]


def cell(field, value, module):
    if isinstance(value, bool):
        return '1' if value else '0'
    if isinstance(value, (list, dict)) or value is None:
        module.fail_json(msg='vars: %s needs a single value' % field)
    return to_text(value)


def write_table(module, key, key_value):
    """The task's vars as the one-row table that `--vars` takes, in the module's scratch folder."""
    values = module.params['vars']
    table = os.path.join(module.tmpdir, 'vars.csv')
    with open(table, 'w', newline='', encoding='utf-8') as f:
        writer = csv.writer(f)
        writer.writerow([key] + list(values))
        writer.writerow([key_value] + [cell(k, v, module) for k, v in values.items()])
    return table


def diff_of(record):
    header = '%s (%s)' % (record.get('port', ''), record.get('device', ''))
    changes = record.get('changes') or []
    return dict(before_header=header, after_header=header,
                before=''.join('%s: %s\n' % (c.get('field'), c.get('from')) for c in changes),
                after=''.join('%s: %s\n' % (c.get('field'), c.get('to')) for c in changes))


def main():
    module = AnsibleModule(
        argument_spec=dict(
            port=dict(type='str'),
            ports=dict(type='list', elements='str'),
            serial=dict(type='str'),
            src=dict(type='path'),
            path=dict(type='path'),
            vars=dict(type='dict'),
            vars_file=dict(type='path'),
            update_network=dict(type='bool', default=False),
            mxtool=dict(type='path'),
        ),
        mutually_exclusive=[('port', 'ports', 'serial'), ('src', 'path'), ('vars', 'vars_file'),
                            ('vars', 'ports')],
        required_one_of=[('port', 'ports', 'serial'), ('src', 'path')],
        supports_check_mode=True,
    )
    p = module.params
    if p['src'] is not None:
        # The action plugin turns src into a path on the host; reaching here means it did not run.
        module.fail_json(msg='src needs the action plugin of brantwick.mesurix; use path for a '
                         'file on the host')

    if p['serial'] is not None:
        key, port = 'serial', find_port(module, p['serial'])
        key_value = p['serial']
    else:
        key, port = 'port', p['port']
        key_value = port
    args = ['apply', p['path']]
    args += ['--ports', ','.join(p['ports'])] if p['ports'] else ['--port', port]
    if p['vars']:
        args += ['--vars', write_table(module, key, key_value)]
    elif p['vars_file']:
        args += ['--vars', p['vars_file']]
    if p['update_network']:
        args.append('--update-network')
    if module.check_mode:
        args.append('--check')

    rc, records, summary, err = run_json(module, args)
    result = dict(
        changed=any(r.get('outcome') in ('changed', 'would change') for r in records),
        interfaces=records, summary=summary or {})
    if module._diff:
        result['diff'] = [diff_of(r) for r in records if r.get('changes')]
    held = rc == 0 or (rc == 3 and module.check_mode)
    if not held or summary is None or any(r.get('outcome') == 'failed' for r in records):
        module.fail_json(msg=failure_text(records, rc, err), rc=rc, stderr=err, **result)
    module.exit_json(**result)


if __name__ == '__main__':
    main()
