# -*- coding: utf-8 -*-
from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r'''
---
module: mesurix_facts
short_description: The Mesurix gage interfaces on a host, as facts
description:
  - Finds every interface on every serial port of the managed host at once (C(mxtool find --all
    --json)) and returns them as the fact C(mesurix_interfaces).
  - Ports that another program holds, or that fail, are in C(mesurix_ports) with mxtool's message.
  - Sends nothing to any interface and does not change where mxtool looks first.
version_added: 1.0.1
author:
  - Brantwick Systems (@brantwick)
options:
  mxtool:
    description:
      - The mxtool program to run on the host. By default the one found on the host's C(PATH).
    type: path
attributes:
  check_mode:
    support: full
    description: Runs as usual; it only reads.
  diff_mode:
    support: none
  facts:
    support: full
  platform:
    platforms: posix
notes:
  - C(MXSETUP_COM<n>) in the task's environment maps a port to a device path; then only those ports
    exist.
seealso:
  - module: brantwick.mesurix.mesurix_config
'''

EXAMPLES = r'''
- name: What is plugged in at this station
  brantwick.mesurix.mesurix_facts:

- name: Each interface's port, model and serial number
  ansible.builtin.debug:
    msg: "{{ item.port }} {{ item.model }} {{ item.serial }}"
  loop: "{{ mesurix_interfaces }}"
'''

RETURN = r'''
ansible_facts:
  description: The interfaces found and the ports that could not be looked at.
  returned: always
  type: dict
  contains:
    mesurix_interfaces:
      description: One entry per interface found.
      type: list
      elements: dict
      sample:
        - port: COM1
          device: /dev/ttyUSB0
          baud: 19200
          parity: E
          data_bits: 7
          stop_bits: 1
          model: Mesurix5 Network
          serial: "20417"
    mesurix_ports:
      description: The ports where no interface could be looked at, with C(port), C(device),
        C(outcome) (C(failed)) and C(message).
      type: list
      elements: dict
'''

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.brantwick.mesurix.plugins.module_utils.mxtool import (
    failure_text, run_json)


def interface_fact(record):
    return dict(port=record.get('port'), device=record.get('device'), baud=record.get('baud'),
                parity=record.get('parity'), data_bits=record.get('dataBits'),
                stop_bits=record.get('stopBits'), model=record.get('model'),
                serial=record.get('serial'))


def main():
    module = AnsibleModule(argument_spec=dict(mxtool=dict(type='path')),
                           supports_check_mode=True)
    rc, records, summary, err = run_json(module, ['find', '--all'])
    if summary is None:
        module.fail_json(msg=failure_text(records, rc, err), rc=rc, stderr=err)
    found = [interface_fact(r) for r in records if r.get('outcome') == 'found']
    others = [dict((k, r.get(k)) for k in ('port', 'device', 'outcome', 'message'))
              for r in records if r.get('outcome') == 'failed']
    module.exit_json(changed=False,
                     ansible_facts=dict(mesurix_interfaces=found, mesurix_ports=others))


if __name__ == '__main__':
    main()
