# -*- coding: utf-8 -*-
# The controller's side of mesurix_config: the files named on the controller (src, vars_file) go to
# the host's temporary folder for the task, as Ansible's own copying modules do, and the module
# there only ever sees paths on the host.
from __future__ import absolute_import, division, print_function

__metaclass__ = type

from ansible.errors import AnsibleAction, AnsibleActionFail, AnsibleError
from ansible.module_utils.common.text.converters import to_text
from ansible.plugins.action import ActionBase


class ActionModule(ActionBase):

    TRANSFERS_FILES = True

    def _transfer(self, args, name, remote_name):
        """Replaces args[name], a file on the controller, by its copy on the host."""
        try:
            local = self._loader.get_real_file(self._find_needle('files', args[name]))
        except AnsibleError as e:
            raise AnsibleActionFail(to_text(e))
        remote = self._connection._shell.join_path(self._connection._shell.tmpdir, remote_name)
        self._transfer_file(local, remote)
        self._fixup_perms2((self._connection._shell.tmpdir, remote))
        return remote

    def run(self, tmp=None, task_vars=None):
        result = super(ActionModule, self).run(tmp, task_vars)
        del tmp
        args = self._task.args.copy()
        try:
            if 'src' in args and 'path' in args:
                raise AnsibleActionFail('parameters are mutually exclusive: src|path')
            if args.get('src') is not None:
                args['path'] = self._transfer(args, 'src', 'config.mxs')
                del args['src']
            if args.get('vars_file') is not None:
                args['vars_file'] = self._transfer(args, 'vars_file', 'vars.csv')
            result.update(self._execute_module(module_name='brantwick.mesurix.mesurix_config',
                                               module_args=args, task_vars=task_vars))
        except AnsibleAction as e:
            result.update(e.result)
        finally:
            self._remove_tmp_path(self._connection._shell.tmpdir)
        return result
