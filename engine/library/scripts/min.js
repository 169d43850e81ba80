#use domaincheck
// the least of its arguments, of any number of them, at least one
function min(){
  nonemptycheck("min",arguments);
  domaincheck("min",arguments);
  return Math.min.apply(null,arguments);
}
