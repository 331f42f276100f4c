// ESLint's recommended rules, which find faults, and none on style: the page's modules in the
// browser, its service worker, and the tests that Node runs.
import js from '@eslint/js';
import globals from 'globals';

export default [
  js.configs.recommended,
  { files: ['web/**/*.js'], languageOptions: { sourceType: 'module', globals: globals.browser } },
  { files: ['web/sw.js'], languageOptions: { sourceType: 'script', globals: globals.serviceworker } },
  { files: ['**/*.mjs'], languageOptions: { globals: globals.node } },
];
