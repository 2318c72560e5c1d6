// An independent FINS/UDP client (the npm package omron-fins) against finsim:
// reads D100 of controller 1.7 and writes 4321 into its D101.
'use strict';
const fins = require('omron-fins');

const port = Number(process.argv[2]);
const client = fins.FinsClient(port, '127.0.0.1', {
  protocol: 'udp', timeout: 2000, DNA: 1, DA1: 7, DA2: 0, SNA: 0, SA1: 33, SA2: 0,
});
const fail = (what, detail) => {
  console.error(what, detail);
  process.exit(2);
};
client.on('error', (e) => fail('client error', e));
// The client counts as connected only after its 'open' handlers ran.
client.on('open', () => setImmediate(() => client.read('D100', 1, (err, msg) => {
  if (err || !msg || msg.error || msg.timeout) return fail('read failed', err || (msg && msg.response));
  console.log('D100=' + msg.response.values[0]);
  client.write('D101', [4321], (err2, msg2) => {
    if (err2 || !msg2 || msg2.error || msg2.timeout) return fail('write failed', err2 || (msg2 && msg2.response));
    console.log('D101 written');
    process.exit(0);
  });
})));
