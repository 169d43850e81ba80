#use domaincheck
// the least of its arguments, of any number of them
function min(){
  domaincheck("min",arguments);
  return Math.min.apply(null,arguments);
}
